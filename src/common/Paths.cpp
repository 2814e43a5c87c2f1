#include "common/Paths.h"

#include <QDir>
#include <QFileInfo>

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

QString canonicalForm(const QString& path)
{
    const QFileInfo info(QDir::cleanPath(QDir::current().absoluteFilePath(coursePath(path))));
    if (info.exists() || info.isSymLink())
        return info.isSymLink() ? QFileInfo(info.absolutePath()).canonicalFilePath() +
                                      QLatin1Char('/') + info.fileName()
                                : info.canonicalFilePath();
    if (info.isRoot())
        return info.absoluteFilePath();
    const QString parent = canonicalForm(info.absolutePath());
    return parent.endsWith(QLatin1Char('/')) ? parent + info.fileName()
                                             : parent + QLatin1Char('/') + info.fileName();
}

bool isInsideFolder(const QString& path, const QString& folder)
{
    const QString inner = canonicalForm(path);
    QString outer = canonicalForm(folder);
    if (!outer.endsWith(QLatin1Char('/')))
        outer += QLatin1Char('/');
    return inner.startsWith(outer);
}
