// The command line, and which course folder a start opens: the one named on
// the command line, the start folder when it holds a course, the one used
// last, the student's copy of the demo course, or a fresh copy of it.
#include "app/AppStart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct OptionsCase {
    QStringList arguments;
    StartOptions::Action action;
    bool splash;
    QString folder;
    bool error;
};

TEST(StartOptions, ReadsTheCommandLine)
{
    using A = StartOptions::Action;
    const QList<OptionsCase> cases{
        {{"tolvaren"}, A::Run, true, {}, false},
        {{"tolvaren", "--no-splash", "kurs"}, A::Run, false, "kurs", false},
        {{"tolvaren", "--help"}, A::Help, true, {}, false},
        {{"tolvaren", "-h"}, A::Help, true, {}, false},
        {{"tolvaren", "--version"}, A::Version, true, {}, false},
        {{"tolvaren", "--check-all"}, A::Run, true, {}, true},
        {{"tolvaren", "--check", "kurs"}, A::Check, true, "kurs", false},
        {{"tolvaren", "--check"}, A::Check, true, {}, true},
        {{"tolvaren", "one", "two"}, A::Run, true, "one", true},
    };
    for (const OptionsCase& c : cases) {
        const StartOptions options = parseStartOptions(c.arguments);
        const std::string line = c.arguments.join(' ').toStdString();
        EXPECT_EQ(options.action, c.action) << line;
        EXPECT_EQ(options.splash, c.splash) << line;
        EXPECT_EQ(options.courseFolder, c.folder) << line;
        EXPECT_EQ(!options.error.isEmpty(), c.error) << line;
    }
    EXPECT_TRUE(usageText().contains("--no-splash"));
    EXPECT_TRUE(usageText().contains("--check"));
    EXPECT_TRUE(usageText().contains("--align"));
    EXPECT_TRUE(versionText().startsWith("tolvaren 0."));
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A course folder with the given catalogues and one data file.
QString makeCourse(const QTemporaryDir& root, const QString& name, const QString& modes = "ABCD")
{
    const QString folder = root.filePath(name);
    QDir().mkpath(folder);
    for (QChar mode : modes)
        writeFile(folder + QStringLiteral("/InitReg%1.txt").arg(mode),
                  "catalogue " + name.toUtf8());
    writeFile(folder + "/DataTest/L01/Text.txt", "Guten Tag");
    return folder;
}

// The first start tells the student what was done for them and where, not
// that something was missing.
TEST(CourseFolder, FirstStartSaysWhereTheDemoCourseWasPut)
{
    const QString text = demoCopiedText("/home/anna/.local/share/tolvaren/demo-course");
    EXPECT_TRUE(text.startsWith(QStringLiteral("Для вас подготовлен учебный курс")));
    EXPECT_TRUE(text.contains(QStringLiteral("«/home/anna/.local/share/tolvaren/demo-course»")));
    EXPECT_FALSE(text.contains(QStringLiteral("не найден")));
}

TEST(CourseFolder, IsChosenInItsOrder)
{
    QTemporaryDir root;
    const QString start = makeCourse(root, "start");
    const QString partial = makeCourse(root, "partial", "ABC");
    const QString remembered = makeCourse(root, "remembered");
    const QString installed = makeCourse(root, "installed");
    const QString copied = makeCourse(root, "copied");
    const QString empty = root.filePath("empty");
    QDir().mkpath(empty);
    const QString gone = root.filePath("gone");
    const QString userDemo = root.filePath("demo");

    struct Case {
        const char* name;
        CoursePlaces places;
        CourseChoice expected;
    };
    const QList<Case> cases{
        {"command line, even without a course",
         {empty, start, remembered, installed, userDemo},
         {empty, false}},
        {"start folder", {{}, start, remembered, installed, userDemo}, {start, false}},
        {"remembered", {{}, empty, remembered, installed, userDemo}, {remembered, false}},
        {"three catalogues are no course",
         {{}, partial, remembered, installed, userDemo},
         {remembered, false}},
        {"the copy made before", {{}, empty, gone, installed, copied}, {copied, false}},
        {"first start", {{}, empty, {}, installed, userDemo}, {userDemo, true}},
        {"remembered folder gone", {{}, empty, gone, installed, userDemo}, {userDemo, true}},
        {"no course anywhere", {{}, empty, gone, {}, userDemo}, {{}, false}},
    };
    for (const Case& c : cases) {
        const CourseChoice choice = chooseCourseFolder(c.places);
        EXPECT_EQ(choice.folder, c.expected.folder) << c.name;
        EXPECT_EQ(choice.copyDemo, c.expected.copyDemo) << c.name;
    }
}

TEST(CourseFolder, CopyMakesACourseAndKeepsTheStudentsFiles)
{
    QTemporaryDir root;
    const QString installed = makeCourse(root, "installed");
    const QString target = root.filePath("copy");
    // A copy cut short earlier: the student has already worked in it.
    writeFile(target + "/Users.eng", "students");
    writeFile(target + "/DataTest/L01/Text.txt", "edited by the teacher");
    ASSERT_FALSE(holdsCourse(target));

    QString message;
    ASSERT_TRUE(copyCourse(installed, target, &message)) << message.toStdString();
    EXPECT_TRUE(holdsCourse(target));
    EXPECT_EQ(readFile(target + "/InitRegD.txt"), "catalogue installed");
    EXPECT_EQ(readFile(target + "/Users.eng"), "students");
    EXPECT_EQ(readFile(target + "/DataTest/L01/Text.txt"), "edited by the teacher");
}

TEST(CourseFolder, CopyThatCannotWriteSaysWhere)
{
    QTemporaryDir root;
    const QString installed = makeCourse(root, "installed");
    writeFile(root.filePath("blocked"), "a file where the folder should be");
    QString message;
    EXPECT_FALSE(copyCourse(installed, root.filePath("blocked/demo"), &message));
    EXPECT_TRUE(message.contains("blocked")) << message.toStdString();
    EXPECT_FALSE(holdsCourse(root.filePath("blocked/demo")));
}

} // namespace
