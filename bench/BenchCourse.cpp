#include "BenchCourse.h"

#include "common/LineFile.h"

#include <QDir>
#include <QFile>
#include <QStringList>

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

} // namespace

void writeBenchCourse(const QString& folder, int n)
{
    QStringList lines;
    int heading = 0;
    for (int i = 1; i <= n; ++i) {
        const bool isHeading = (i - 1) % 10 == 0;
        const QString fields =
            isHeading ? QStringLiteral("Урок %1\t0\t%2\t0\tl.rtf\t0\t\t\t\t\t").arg(i).arg(heading)
                      : QStringLiteral("Упражнение %1\t1\t%2\t0\te.rtf\t%3\tt.txt\ttr.txt\ts.wav"
                                       "\ts.txt\tp.txt")
                            .arg(i)
                            .arg(heading)
                            .arg(1 + i % 8);
        lines << fields;
        if (isHeading)
            heading = i;
    }
    const QByteArray bytes = *encodeCourseLines(lines, CodePage::Cp1251);
    const QDir dir(folder);
    for (const char* mode : {"A", "B", "C", "D"})
        writeFile(dir.filePath(QStringLiteral("InitReg%1.txt").arg(QLatin1String(mode))), bytes);
    dir.mkpath(QStringLiteral("DataTest"));
    for (const char* name : {"DataTest/l.rtf", "DataTest/e.rtf"})
        writeFile(dir.filePath(QLatin1String(name)), "{\\rtf1 Lektion}");
}
