#include "users/TeacherPassword.h"

#include <QFile>
#include <QSettings>

namespace {
const QString PassKey = QStringLiteral("Pass");

QSettings teacherSettings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quillfern"),
                     QStringLiteral("TolvarenDemo"));
}
} // namespace

QString storedTeacherPassword()
{
    return teacherSettings().value(PassKey).toString();
}

std::optional<QString> storeTeacherPassword(const QString& password)
{
    QSettings settings = teacherSettings();
    settings.setValue(PassKey, password);
    settings.sync();
    // The password is plain text: other accounts of the machine must not read it.
    // (Where the settings are the registry there is no file to restrict.)
    if (settings.format() == QSettings::NativeFormat && QFile::exists(settings.fileName()))
        QFile::setPermissions(settings.fileName(), QFile::ReadOwner | QFile::WriteOwner);
    // Only a refused write loses the password: Qt also reports a format error
    // for the old file's unreadable lines after it has written the new one.
    if (settings.status() == QSettings::AccessError)
        return QStringLiteral("Пароль преподавателя не сохранен: не удается записать \"%1\".")
            .arg(settings.fileName());
    return std::nullopt;
}

std::optional<QString> checkTeacherPassword(const QString& password, const QString& confirmation)
{
    if (password.isEmpty())
        return QStringLiteral("Не введен пароль.");
    if (confirmation.isEmpty())
        return QStringLiteral("Пароль не подтвержден.");
    if (password != confirmation)
        return QStringLiteral("Пароль и подтверждение не индентичны");
    return std::nullopt;
}
