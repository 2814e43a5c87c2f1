#include "common/ModuleLoad.h"

#include <QCoreApplication>
#include <QLibrary>

ModuleEntry openModule(const QString& fileName, const char* entryName)
{
    const QString path = QCoreApplication::applicationDirPath() +
                         QStringLiteral("/" TOLVAREN_MODULES_FROM_BIN "/") + fileName;
    QLibrary library(path);
    ModuleEntry module;
    if (library.load())
        module.entry = library.resolve(entryName);
    if (!module.entry)
        module.problem = QStringLiteral("Не удается загрузить модуль программы \"%1\" (%2).")
                             .arg(path, library.errorString());
    return module;
}
