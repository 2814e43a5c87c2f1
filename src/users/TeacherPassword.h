#pragma once

#include <QString>
#include <optional>

// The teacher's password, in the user's settings of organisation "Quillfern",
// application "TolvarenDemo", value "Pass" (the registry on Windows). Missing
// and empty both mean that no password is set and the console opens freely.
QString storedTeacherPassword();

// Stores the password; the settings file is made readable by its owner only.
// The message when it could not be stored.
std::optional<QString> storeTeacherPassword(const QString& password);

// The first check a new password and its confirmation fail, as the message to
// show; nothing when both are given and equal.
std::optional<QString> checkTeacherPassword(const QString& password, const QString& confirmation);
