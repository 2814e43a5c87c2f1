#include "common/PassHistoryName.h"

#include "common/Paths.h"

#include <QFile>

QString passHistoryName(const QString& progressFile)
{
    static const QString ending = QStringLiteral("hst");
    if (progressFile.endsWith(ending, Qt::CaseInsensitive) || progressFile.size() < 3)
        return progressFile + u'.' + ending;
    return replaceLastThree(progressFile, ending);
}

bool hasPassHistorySignature(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.readLine().trimmed() == PassHistorySignature;
}
