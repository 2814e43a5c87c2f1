#include "align/AlignCommand.h"
#include "support/TempCourse.h"

#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>

namespace {

bool run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    return process.waitForFinished(60000) && process.exitCode() == 0;
}

class AlignCommand : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(run("espeak-ng", {"-v", "de", "-w", path("short.wav"),
                                      "Guten Tag, wie geht es dir heute?"}));
        ASSERT_TRUE(run("sox", {"-n", "-r", "22050", "-c", "1", "-b", "16", path("silence.wav"),
                                "trim", "0", "5"}));
        course_.write("text.txt", "#Gruss\r\nGuten Tag,\r\nwie geht es dir heute?\r\n");
        QByteArray forty;
        for (int i = 0; i < 40; ++i)
            forty += "Das ist die Zeile Nummer " + QByteArray::number(i) + ".\r\n";
        course_.write("forty.txt", forty);
        course_.write("empty.txt", "");
        course_.write(("russian.txt"),
                      "\xcf\xf0\xe8\xe2\xe5\xf2, \xea\xe0\xea \xe4\xe5\xeb\xe0?\r\n");
        course_.write("song.wav", "Das ist kein Klang, nur Text in einer Datei.\r\n");
    }

    QString path(const char* name) const { return course_.filePath(QString::fromLatin1(name)); }

    int align(const QStringList& arguments)
    {
        messages_.clear();
        return runAlignCommand(arguments, &messages_);
    }

    QString said() const { return messages_.join(u'\n'); }

    TempCourse course_;
    QStringList messages_;
};

struct BadInput {
    const char* name;
    QStringList arguments;
    const char* named; // the file the message names ("" for the command line)
    const char* reason;
};

// Bad input is refused with exit 2, a message naming the file and the reason,
// and no timing file.
TEST_F(AlignCommand, RefusesBadInputAndWritesNothing)
{
    const QString timing = path("out.txt");
    const BadInput cases[] = {
        {"too many lines",
         {path("short.wav"), path("forty.txt"), timing},
         "short.wav",
         "слишком коротка для 40 строк"},
        {"empty text",
         {path("short.wav"), path("empty.txt"), timing},
         "empty.txt",
         "нет ни одной строки"},
        {"silence", {path("silence.wav"), path("text.txt"), timing}, "silence.wav", "тишина"},
        {"not a sound",
         {path("song.wav"), path("text.txt"), timing},
         "song.wav",
         "формат записи не поддерживается"},
        {"wrong code page",
         {path("short.wav"), path("russian.txt"), timing},
         "russian.txt",
         "кодовой странице 1250"},
        {"missing recording",
         {path("none.wav"), path("text.txt"), timing},
         "none.wav",
         "не найден"},
        {"unknown voice",
         {"--voice", "xx-nowhere", path("short.wav"), path("text.txt"), timing},
         "short.wav",
         "нет голоса"},
        {"unknown kind",
         {"--kind", "poem", path("short.wav"), path("text.txt"), timing},
         "",
         "неизвестный вид текста"},
        {"unknown option",
         {"--fast", path("short.wav"), path("text.txt"), timing},
         "",
         "неизвестный параметр"},
        {"no text", {path("short.wav")}, "", "нужны запись, текст"},
    };
    for (const BadInput& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(align(c.arguments), 2);
        EXPECT_TRUE(said().contains(QString::fromUtf8(c.reason))) << said().toStdString();
        EXPECT_TRUE(said().contains(QString::fromUtf8(c.named))) << said().toStdString();
        EXPECT_FALSE(QFile::exists(timing));
    }
}

TEST_F(AlignCommand, WritesTheTimingFileAndReplacesItOnlyWhenForced)
{
    const QString timing = path("timing.txt");
    ASSERT_EQ(align({path("short.wav"), path("text.txt"), timing}), 0) << said().toStdString();
    const QList<QByteArray> lines = course_.read("timing.txt").split('\n');
    ASSERT_EQ(lines.size(), 4); // three lines, each ended by CR LF
    EXPECT_EQ(lines[0], "#\t#\r");
    const QList<QByteArray> first = lines[1].trimmed().split('\t');
    const QList<QByteArray> second = lines[2].trimmed().split('\t');
    // The comma's pause divides the greeting; the two parts follow each other.
    EXPECT_LT(first[0].toInt(), first[1].toInt());
    EXPECT_LE(first[1].toInt(), second[0].toInt());
    EXPECT_LT(second[0].toInt(), second[1].toInt());

    course_.write("timing.txt", "old");
    EXPECT_EQ(align({path("short.wav"), path("text.txt"), timing}), 2);
    EXPECT_TRUE(said().contains("--force"));
    EXPECT_EQ(course_.read("timing.txt"), "old");
    EXPECT_EQ(align({"--force", path("short.wav"), path("text.txt"), timing}), 0);
    EXPECT_EQ(course_.read("timing.txt").split('\n').size(), 4);
}

// The program as an author runs it, with no screen: the module does the work,
// the timing file goes to the standard output.
TEST_F(AlignCommand, ProgramAlignsWithoutDisplay)
{
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    program.setProcessEnvironment(environment);
    program.start(TOLVAREN_PROGRAM, {"--align", path("short.wav"), path("text.txt")});
    ASSERT_TRUE(program.waitForFinished(120000));
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    EXPECT_TRUE(program.readAllStandardOutput().startsWith("#\t#\r\n"));

    program.start(TOLVAREN_PROGRAM, {"--align", "--fast", path("short.wav"), path("text.txt")});
    ASSERT_TRUE(program.waitForFinished(120000));
    EXPECT_EQ(program.exitCode(), 2);
    EXPECT_TRUE(QString::fromUtf8(program.readAllStandardError()).contains("--fast"));
    EXPECT_TRUE(program.readAllStandardOutput().isEmpty());
}

} // namespace
