// The course check on the demo course and on copies of it broken one way at a
// time: each fault is found at its file and line, and the course is never
// written.

#include "app/CourseCheck.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace {

bool demoReady()
{
    if (QFileInfo::exists(QStringLiteral(TOLVAREN_DEMO_COURSE "/InitRegD.txt")))
        return true;
    if (qEnvironmentVariableIsSet("TOLVAREN_DEMO_REQUIRED"))
        ADD_FAILURE() << "the demo course is missing: " TOLVAREN_DEMO_COURSE;
    return false;
}

// The generator's files only: students' files the whole-program tests may
// have left in the demo course do not belong to it.
void copyDemo(const QString& to)
{
    const QDir from(QStringLiteral(TOLVAREN_DEMO_COURSE));
    QDirIterator files(from.path(), QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString relative = from.relativeFilePath(files.next());
        if (relative.startsWith(QLatin1String("Report")) || relative == QLatin1String("Users.eng"))
            continue;
        QDir().mkpath(QFileInfo(QDir(to).filePath(relative)).path());
        ASSERT_TRUE(QFile::copy(from.filePath(relative), QDir(to).filePath(relative)));
    }
}

QList<QByteArray> linesOf(const QString& path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    QList<QByteArray> lines = file.readAll().split('\n');
    lines.removeLast();
    for (QByteArray& line : lines)
        line.chop(1);
    return lines;
}

void writeLines(const QString& path, const QList<QByteArray>& lines)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (const QByteArray& line : lines)
        file.write(line + "\r\n");
}

// The catalogue line that first names a file, as "InitRegX.txt:N".
QString namingLine(const QString& course, const QByteArray& name)
{
    for (char mode : QByteArray("ABCD")) {
        const QString catalogue = QStringLiteral("InitReg%1.txt").arg(mode);
        const QList<QByteArray> lines = linesOf(QDir(course).filePath(catalogue));
        for (int i = 0; i < lines.size(); ++i)
            if (lines[i].split('\t').contains(name))
                return QStringLiteral("%1:%2").arg(catalogue).arg(i + 1);
    }
    return {};
}

using Snapshot = std::map<QString, std::pair<QByteArray, QDateTime>>;

Snapshot snapshot(const QString& folder)
{
    Snapshot files;
    QDirIterator it(folder, QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        QFile file(info.filePath());
        QByteArray hash;
        if (info.isFile() && file.open(QIODevice::ReadOnly))
            hash = QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
        files[info.filePath()] = {hash, info.lastModified()};
    }
    return files;
}

QStringList problemLines(const QString& course)
{
    QStringList lines;
    for (const CourseError& problem : checkCourse(course).problems)
        lines << problemLine(problem, course);
    return lines;
}

// One way to break the course: what is changed, and where the check must say
// so ("file:line", from the broken copy) with a word of what is wrong.
struct Fault {
    const char* name;
    std::function<void(const QString& course)> breakIt;
    std::function<QString(const QString& course)> where;
    const char* word;
};

QString data(const QString& course, const char* name)
{
    return QDir(course).filePath(QStringLiteral("DataTest/") + QLatin1String(name));
}

void editLine(const QString& path, int number, const QByteArray& text)
{
    QList<QByteArray> lines = linesOf(path);
    lines[number - 1] = text;
    writeLines(path, lines);
}

void overwrite(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QString at(const char* file, int line)
{
    return QStringLiteral("%1:%2").arg(QLatin1String(file)).arg(line);
}

const Fault Faults[] = {
    {"missing sound file", [](const QString& c) { QFile::remove(data(c, "L01/Lex.wav")); },
     [](const QString& c) { return namingLine(c, "L01\\Lex.wav"); }, "не найдена"},
    {"missing lesson text", [](const QString& c) { QFile::remove(data(c, "L02/Text.txt")); },
     [](const QString& c) { return namingLine(c, "L02\\Text.txt"); }, "не найден"},
    {"catalogue line of the wrong shape",
     [](const QString& c) {
         editLine(QDir(c).filePath("InitRegB.txt"), 3, "Урок\t1\tx\t0\tcourse.rtf\t0\t\t\t\t\t");
     },
     [](const QString&) { return at("InitRegB.txt", 3); }, "не число"},
    {"drill timing line of the wrong shape",
     [](const QString& c) { editLine(data(c, "L01/LexTim.txt"), 2, "100 200"); },
     [](const QString&) { return at("DataTest/L01/LexTim.txt", 2); }, "TAB"},
    {"lesson timing line of the wrong shape",
     [](const QString& c) { editLine(data(c, "L01/TextTim.txt"), 3, "abc\t12"); },
     [](const QString&) { return at("DataTest/L01/TextTim.txt", 3); }, "TAB"},
    {"drill timing shorter than its text",
     [](const QString& c) {
         QList<QByteArray> lines = linesOf(data(c, "L01/QuestTim.txt"));
         lines.removeLast();
         writeLines(data(c, "L01/QuestTim.txt"), lines);
     },
     [](const QString& c) {
         return at("DataTest/L01/QuestTim.txt", int(linesOf(data(c, "L01/Quest.txt")).size()));
     },
     "нет строки"},
    {"lesson timing shorter than its text",
     [](const QString& c) {
         QList<QByteArray> lines = linesOf(data(c, "L02/TextTim.txt"));
         lines.removeLast();
         writeLines(data(c, "L02/TextTim.txt"), lines);
     },
     [](const QString& c) {
         return at("DataTest/L02/TextTim.txt", int(linesOf(data(c, "L02/Text.txt")).size()));
     },
     "нет строки"},
    {"timing end beyond the recording",
     [](const QString& c) {
         const int last = int(linesOf(data(c, "L01/TrFlTim.txt")).size());
         const QByteArray start = linesOf(data(c, "L01/TrFlTim.txt")).last().split('\t')[0];
         editLine(data(c, "L01/TrFlTim.txt"), last, start + "\t999999");
     },
     [](const QString& c) {
         return at("DataTest/L01/TrFlTim.txt", int(linesOf(data(c, "L01/TrFlTim.txt")).size()));
     },
     "дальше конца записи"},
    {"overlapping timings",
     [](const QString& c) {
         const QList<QByteArray> lines = linesOf(data(c, "L01/LexTim.txt"));
         const int start = lines[1].split('\t')[0].toInt() + 1;
         editLine(data(c, "L01/LexTim.txt"), 3,
                  QByteArray::number(start) + '\t' + lines[2].split('\t')[1]);
     },
     [](const QString&) { return at("DataTest/L01/LexTim.txt", 3); }, "заходит"},
    {"timings out of order",
     [](const QString& c) {
         QList<QByteArray> lines = linesOf(data(c, "L03/LexTim.txt"));
         lines.swapItemsAt(1, 2);
         writeLines(data(c, "L03/LexTim.txt"), lines);
     },
     [](const QString&) { return at("DataTest/L03/LexTim.txt", 3); }, "не по порядку"},
    {"lesson picture that does not load",
     [](const QString& c) { overwrite(data(c, "L01/street.jpg"), "not a picture"); },
     [](const QString&) { return at("DataTest/L01/Pict.txt", 3); }, "рисунок не читается"},
    {"description picture that does not load",
     [](const QString& c) { overwrite(data(c, "lesson1.jpg"), QByteArray(100, '\0')); },
     [](const QString& c) { return namingLine(c, "lesson1.jpg"); }, "рисунок не читается"},
    {"description that does not read",
     [](const QString& c) { overwrite(data(c, "course.rtf"), "{\\rtf1\\ansi }"); },
     [](const QString& c) { return namingLine(c, "course.rtf"); }, "описание не читается"},
    {"byte outside the German code page",
     [](const QString& c) {
         editLine(data(c, "L01/Text.txt"), 2, linesOf(data(c, "L01/Text.txt"))[1] + "\x98");
     },
     [](const QString&) { return at("DataTest/L01/Text.txt", 2); }, "U+0098"},
    {"byte outside the Russian code page",
     [](const QString& c) {
         editLine(data(c, "L02/LexTr.txt"), 4, linesOf(data(c, "L02/LexTr.txt"))[3] + "\x98");
     },
     [](const QString&) { return at("DataTest/L02/LexTr.txt", 4); }, "1251"},
    {"comment line of the wrong shape",
     [](const QString& c) { editLine(data(c, "L01/Text.apc"), 1, "x"); },
     [](const QString&) { return at("DataTest/L01/Text.apc", 1); }, "номера"},
};

void PrintTo(const Fault& fault, std::ostream* out)
{
    *out << fault.name;
}

class CourseCheckFault : public testing::TestWithParam<Fault> {};

} // namespace

TEST(CourseCheck, DemoCourseIsCleanAndLeftUntouched)
{
    if (!demoReady())
        GTEST_SKIP() << "the demo course is not made";
    QTemporaryDir course;
    copyDemo(course.path());
    const Snapshot before = snapshot(course.path());
    const CourseCheckResult result = checkCourse(course.path());
    EXPECT_EQ(problemLines(course.path()), QStringList());
    EXPECT_GT(result.entries, 20);
    EXPECT_GT(result.files, 50);
    EXPECT_EQ(snapshot(course.path()), before);
    EXPECT_TRUE(checkSummary(result).endsWith("Ошибок нет."));
}

TEST_P(CourseCheckFault, IsFoundAtItsFileAndLine)
{
    if (!demoReady())
        GTEST_SKIP() << "the demo course is not made";
    QTemporaryDir course;
    copyDemo(course.path());
    GetParam().breakIt(course.path());
    const QString where = GetParam().where(course.path()) + u':';
    const QStringList problems = problemLines(course.path());
    const bool found = std::any_of(problems.begin(), problems.end(), [&](const QString& line) {
        return line.startsWith(where) && line.contains(QString::fromUtf8(GetParam().word));
    });
    EXPECT_TRUE(found) << "expected " << where.toStdString() << " ... " << GetParam().word
                       << "\ngot:\n"
                       << problems.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(BrokenCopies, CourseCheckFault, testing::ValuesIn(Faults),
                         [](const testing::TestParamInfo<Fault>& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

// The program itself, as an author runs it: no screen at all, the problems on
// standard output, the exit status telling a clean course from a broken one.
TEST(CourseCheck, ProgramAnswersWithoutDisplay)
{
    if (!demoReady())
        GTEST_SKIP() << "the demo course is not made";
    QTemporaryDir course;
    copyDemo(course.path());
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(name);
    program.setProcessEnvironment(environment);
    const auto run = [&] {
        program.start(QStringLiteral(TOLVAREN_PROGRAM), {"--check", course.path()});
        EXPECT_TRUE(program.waitForFinished(60000));
        return QString::fromLocal8Bit(program.readAllStandardOutput());
    };
    const QString clean = run();
    EXPECT_EQ(program.exitCode(), 0) << clean.toStdString();
    EXPECT_EQ(clean.count(u'\n'), 1) << clean.toStdString();

    QFile::remove(data(course.path(), "L01/Lex.wav"));
    const QString broken = run();
    EXPECT_EQ(program.exitCode(), 1);
    EXPECT_TRUE(broken.startsWith(namingLine(course.path(), "L01\\Lex.wav") + ": "))
        << broken.toStdString();
    EXPECT_TRUE(broken.contains("Найдено ошибок:")) << broken.toStdString();

    program.start(QStringLiteral(TOLVAREN_PROGRAM), {"--check"});
    program.waitForFinished(60000);
    EXPECT_EQ(program.exitCode(), 2);
}
