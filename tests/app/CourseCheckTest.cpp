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

enum class Change {
    Remove,
    Overwrite,
    SetLine,
    AppendToLine,
    CopyPrevious,
    SwapWithPrevious,
    DropLast
};

// One way to break the course: a change to one file (its line -1 is the last),
// and where the check must say so: at `where` ("" for the catalogue line that
// names the file), line `whereLine` (-1: the line changed), with a word of what
// is wrong.
struct Fault {
    const char* name;
    Change change;
    const char* file;
    int line;
    const char* text;
    const char* where;
    int whereLine;
    const char* word;
};

// Breaks the file; returns the number of the line changed.
int breakFile(const QString& path, const Fault& fault)
{
    QList<QByteArray> lines = linesOf(path);
    const int n = fault.line < 0 ? int(lines.size()) : fault.line;
    QFile file(path);
    switch (fault.change) {
    case Change::Remove:
        file.remove();
        return n;
    case Change::Overwrite:
        EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(fault.text);
        return n;
    case Change::SetLine:
        lines[n - 1] = fault.text;
        break;
    case Change::AppendToLine:
        lines[n - 1] += fault.text;
        break;
    case Change::CopyPrevious:
        lines[n - 1] = lines[n - 2];
        break;
    case Change::SwapWithPrevious:
        lines.swapItemsAt(n - 1, n - 2);
        break;
    case Change::DropLast:
        lines.removeLast();
        break;
    }
    writeLines(path, lines);
    return n;
}

using C = Change;
const Fault Faults[] = {
    {"missing sound file", C::Remove, "DataTest/L01/Lex.wav", 0, "", "", 0, "не найдена"},
    {"missing lesson text", C::Remove, "DataTest/L02/Text.txt", 0, "", "", 0, "не найден"},
    {"catalogue line of the wrong shape", C::SetLine, "InitRegB.txt", 3,
     "Урок\t1\tx\t0\tcourse.rtf\t0\t\t\t\t\t", "InitRegB.txt", 3, "не число"},
    {"drill timing line of the wrong shape", C::SetLine, "DataTest/L01/LexTim.txt", 2, "100 200",
     "DataTest/L01/LexTim.txt", 2, "TAB"},
    {"lesson timing line of the wrong shape", C::SetLine, "DataTest/L01/TextTim.txt", 3, "a\t12",
     "DataTest/L01/TextTim.txt", 3, "TAB"},
    {"drill timing shorter than its text", C::DropLast, "DataTest/L01/QuestTim.txt", -1, "",
     "DataTest/L01/QuestTim.txt", -1, "нет строки"},
    {"lesson timing shorter than its text", C::DropLast, "DataTest/L02/TextTim.txt", -1, "",
     "DataTest/L02/TextTim.txt", -1, "нет строки"},
    {"timing end beyond the recording", C::AppendToLine, "DataTest/L01/TrFlTim.txt", -1, "0000",
     "DataTest/L01/TrFlTim.txt", -1, "дальше конца записи"},
    {"overlapping timings", C::CopyPrevious, "DataTest/L01/LexTim.txt", 3, "",
     "DataTest/L01/LexTim.txt", 3, "заходит"},
    {"timings out of order", C::SwapWithPrevious, "DataTest/L03/LexTim.txt", 3, "",
     "DataTest/L03/LexTim.txt", 3, "не по порядку"},
    {"lesson picture that does not load", C::Overwrite, "DataTest/L01/street.jpg", 0, "no picture",
     "DataTest/L01/Pict.txt", 3, "рисунок не читается"},
    {"description picture that does not load", C::Overwrite, "DataTest/lesson1.jpg", 0, "\xff\xd8",
     "", 0, "рисунок не читается"},
    {"description that does not read", C::Overwrite, "DataTest/course.rtf", 0, "{\\rtf1\\ansi }",
     "", 0, "описание не читается"},
    {"byte outside the German code page", C::AppendToLine, "DataTest/L01/Text.txt", 2, "\x98",
     "DataTest/L01/Text.txt", 2, "U+0098"},
    {"byte outside the Russian code page", C::AppendToLine, "DataTest/L02/LexTr.txt", 4, "\x98",
     "DataTest/L02/LexTr.txt", 4, "1251"},
    {"comment line of the wrong shape", C::SetLine, "DataTest/L01/Text.apc", 1, "x",
     "DataTest/L01/Text.apc", 1, "номера"},
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
    EXPECT_TRUE(result.warnings.isEmpty())
        << problemLine(result.warnings.value(0), course.path()).toStdString();
}

// A boundary between sentences moved into the middle of a syntagm's speech
// is told once for its file, and the course still counts as clean.
TEST(CourseCheck, BoundaryBetweenSentencesInSpeechIsAWarning)
{
    if (!demoReady())
        GTEST_SKIP() << "the demo course is not made";
    QTemporaryDir course;
    copyDemo(course.path());
    const QString timing = QDir(course.path()).filePath("DataTest/L02/TextTim.txt");
    QFile file(timing);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QList<QByteArray> lines = file.readAll().split('\n');
    file.close();
    // Line 2 is a whole sentence: its end goes to the middle of its speech.
    const QList<QByteArray> segment = lines[1].trimmed().split('\t');
    const int middle = (segment[0].toInt() + segment[1].toInt()) / 2;
    lines[1] = segment[0] + '\t' + QByteArray::number(middle) + '\r';
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(lines.join('\n'));
    file.close();
    const CourseCheckResult result = checkCourse(course.path());
    EXPECT_TRUE(result.problems.isEmpty());
    ASSERT_EQ(result.warnings.size(), 1);
    const QString warning = problemLine(result.warnings[0], course.path());
    EXPECT_TRUE(warning.startsWith(QDir::toNativeSeparators("DataTest/L02/TextTim.txt: ")));
    EXPECT_TRUE(warning.contains("(строки: 2)")) << warning.toStdString();
    EXPECT_TRUE(checkSummary(result).endsWith("Ошибок нет."));
}

TEST_P(CourseCheckFault, IsFoundAtItsFileAndLine)
{
    if (!demoReady())
        GTEST_SKIP() << "the demo course is not made";
    QTemporaryDir course;
    copyDemo(course.path());
    const Fault& fault = GetParam();
    const int changed = breakFile(QDir(course.path()).filePath(fault.file), fault);
    const QString named = QString(fault.file).remove("DataTest/").replace(u'/', u'\\');
    const QString where = (*fault.where ? QStringLiteral("%1:%2")
                                              .arg(fault.where)
                                              .arg(fault.whereLine < 0 ? changed : fault.whereLine)
                                        : namingLine(course.path(), named.toUtf8())) +
                          u':';
    const QStringList problems = problemLines(course.path());
    const bool found = std::any_of(problems.begin(), problems.end(), [&](const QString& line) {
        return line.startsWith(where) && line.contains(QString::fromUtf8(fault.word));
    });
    EXPECT_TRUE(found) << "expected " << where.toStdString() << " ... " << fault.word << "\ngot:\n"
                       << problems.join('\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(BrokenCopies, CourseCheckFault, testing::ValuesIn(Faults),
                         [](const testing::TestParamInfo<Fault>& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

// A file broken as a whole is told once, with the reason, however many of
// its lines or of the timings against it it throws out.
TEST(CourseCheck, FileBrokenAsAWholeIsOneLine)
{
    if (!demoReady())
        GTEST_SKIP() << "the demo course is not made";
    struct Case {
        const char* file;
        std::function<QByteArray(const QByteArray&)> change;
        const char* reason;
    };
    const QList<Case> cases{
        {"DataTest/L01/Text.wav",
         [](const QByteArray& bytes) { return bytes.left(bytes.size() / 2); }, "запись обрезана"},
        {"DataTest/L01/Text.txt", [](QByteArray bytes) { return bytes.replace("\r\n", "\r"); },
         "одним символом CR"},
    };
    for (const Case& c : cases) {
        QTemporaryDir course;
        copyDemo(course.path());
        QFile file(course.filePath(c.file));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray broken = c.change(file.readAll());
        file.close();
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(broken);
        file.close();
        const QStringList problems = problemLines(course.path());
        ASSERT_EQ(problems.size(), 1) << c.file << "\n" << problems.join('\n').toStdString();
        EXPECT_TRUE(problems[0].contains(QFileInfo(c.file).fileName()))
            << problems[0].toStdString();
        EXPECT_TRUE(problems[0].contains(QString::fromUtf8(c.reason))) << problems[0].toStdString();
    }
}

// A wrong command line is answered on the terminal before any screen is
// looked for.
TEST(CourseCheck, WrongArgumentsAnswerWithoutDisplay)
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(name);
    environment.insert("QT_QPA_PLATFORM", "xcb");
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(TOLVAREN_PROGRAM), {"--bogus"});
    ASSERT_TRUE(program.waitForFinished(60000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 2);
    const QString said = QString::fromLocal8Bit(program.readAllStandardError());
    EXPECT_TRUE(said.contains("--bogus")) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("Использование:"))) << said.toStdString();
}

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

    QFile::remove(course.filePath("DataTest/L01/Lex.wav"));
    const QString broken = run();
    EXPECT_EQ(program.exitCode(), 1);
    EXPECT_TRUE(broken.startsWith(namingLine(course.path(), "L01\\Lex.wav") + ": "))
        << broken.toStdString();
    EXPECT_TRUE(broken.contains("Найдено ошибок:")) << broken.toStdString();

    program.start(QStringLiteral(TOLVAREN_PROGRAM), {"--check"});
    program.waitForFinished(60000);
    EXPECT_EQ(program.exitCode(), 2);
}
