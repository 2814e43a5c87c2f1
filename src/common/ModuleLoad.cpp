#include "common/ModuleLoad.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

ModuleEntry openModule(const QString& fileName, const char* entryName)
{
    const QString path =
        QDir::cleanPath(QCoreApplication::applicationDirPath() +
                        QStringLiteral("/" TOLVAREN_MODULES_FROM_BIN "/") + fileName);
    QLibrary library(path);
    ModuleEntry module;
    if (library.load())
        module.entry = library.resolve(entryName);
    if (module.entry)
        return module;
    // For a missing file QLibrary reports its last guess at another name.
    const QString reason =
        QFileInfo::exists(path) ? library.errorString() : QStringLiteral("нет такого файла");
    module.problem =
        QStringLiteral("Не удается загрузить модуль программы \"%1\" (%2).").arg(path, reason);
    return module;
}
