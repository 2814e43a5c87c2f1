#include "common/StudentSettings.h"

#include <QCryptographicHash>
#include <QHash>
#include <QSettings>

namespace {
struct Student {
    QString group; // empty for the anonymous user
    QHash<QString, QVariant> anonymous;
};

Student& student()
{
    static Student s;
    return s;
}

QSettings programSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quillfern"),
                     QStringLiteral("TolvarenDemo"));
}
} // namespace

namespace StudentSettings {
void setStudent(const QString& key)
{
    // A path holds separators and characters a settings key cannot: its hash
    // names the group.
    student().group =
        key.isEmpty()
            ? QString()
            : QStringLiteral("Students/") +
                  QString::fromLatin1(
                      QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex());
}

QVariant value(const QString& name, const QVariant& fallback)
{
    const Student& s = student();
    if (s.group.isEmpty())
        return s.anonymous.value(name, fallback);
    return programSettings().value(s.group + QLatin1Char('/') + name, fallback);
}

void setValue(const QString& name, const QVariant& value)
{
    Student& s = student();
    if (s.group.isEmpty())
        s.anonymous.insert(name, value);
    else
        programSettings().setValue(s.group + QLatin1Char('/') + name, value);
}
} // namespace StudentSettings
