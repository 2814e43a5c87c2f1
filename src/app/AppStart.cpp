#include "app/AppStart.h"

#include <QDir>

StartOptions parseStartOptions(const QStringList& arguments)
{
    StartOptions options;
    for (const QString& argument : arguments.mid(1)) {
        if (argument == QLatin1String("--no-splash"))
            options.splash = false;
        else if (argument.startsWith(QLatin1String("--")) || !options.courseFolder.isEmpty())
            options.error = QStringLiteral("Неизвестный параметр: %1").arg(argument);
        else
            options.courseFolder = argument;
    }
    return options;
}

bool enterCourseFolder(const QString& folder, QString* message)
{
    if (folder.isEmpty() || QDir::setCurrent(folder))
        return true;
    *message = QStringLiteral("Папка курса \"%1\" не найдена").arg(folder);
    return false;
}
