#include "common/Paths.h"

#include <QDir>

QString coursePath(const QString& name)
{
    QString path = name;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return QDir::toNativeSeparators(path);
}

QString folderOf(const QString& path)
{
    const qsizetype cut =
        std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    return path.left(cut + 1);
}

QString replaceLastThree(const QString& name, const QString& ending)
{
    return name.left(std::max<qsizetype>(0, name.size() - 3)) + ending;
}
