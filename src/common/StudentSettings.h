#pragma once

#include <QString>
#include <QVariant>

// Choices a student makes while working (the listening tempo, the text size)
// that should be there again next time. A named student's are kept in the
// program's settings of the computer's user, under a key of the student's
// own, so students who share one login each find their own; the anonymous
// user's last for the run only.
namespace StudentSettings {
// The student now at work: a key that stays the student's from run to run
// (the canonical path of the progress file); empty for the anonymous user.
void setStudent(const QString& key);
QVariant value(const QString& name, const QVariant& fallback = {});
void setValue(const QString& name, const QVariant& value);
} // namespace StudentSettings
