// The lesson files as the listening window reads them, and the window's rules
// that need no window: following the sound, marking a range, looping, fitting.
#include "listening/Lesson.h"
#include "listening/ListeningRules.h"
#include "listening/WindowFitting.h"
#include "support/TempCourse.h"

#include <gtest/gtest.h>

namespace {
LessonFileNames names(const QString& student = {})
{
    return {"L.txt", "L.ru.txt", "L.tim", "L.pic", student};
}

void writeLesson(const TempCourse& course)
{
    course.writeLines(
        "L.txt", {"#Am Morgen", QStringLiteral("Anna wacht früh auf."), "Sie steht auf."}, true);
    course.writeLines("L.ru.txt",
                      {QStringLiteral("#Утром"), QStringLiteral("Анна просыпается рано."),
                       QStringLiteral("Она встает.")});
    course.writeLines("L.tim", {"#\t#", "300\t2100", "2400\t4000"});
    course.writeLines("L.pic", {"0\t2200\tmorning.jpg", "#", "2200\t9000\tpics\\street.jpg"});
    course.writeLines("L.apc",
                      {QStringLiteral("002Проснуться - aufwachen."),
                       QStringLiteral("002Второй комментарий!"), QStringLiteral("003Тоже.")});
}
} // namespace

TEST(LessonFiles, EveryFileReadIntoItsTable)
{
    TempCourse course;
    writeLesson(course);
    const Lesson lesson = loadLesson(names());
    EXPECT_TRUE(lesson.errors.isEmpty());
    EXPECT_EQ(lesson.text[1], QStringLiteral("Anna wacht früh auf.")) << "code page 1250";
    EXPECT_EQ(lesson.trans[2], QStringLiteral("Она встает.")) << "code page 1251";
    ASSERT_EQ(lesson.timing.size(), 4);
    EXPECT_TRUE(lesson.timing[0].isHeading());
    EXPECT_TRUE(lesson.timing[1].isHeading());
    EXPECT_EQ(lesson.timing[2].begin, 300);
    EXPECT_EQ(lesson.timing[3].end, 4000);
    EXPECT_FALSE(lesson.studentTimingFound);
    ASSERT_EQ(lesson.pictures.size(), 4);
    EXPECT_TRUE(lesson.pictures[2].name.isEmpty()) << "a # line leaves its entry empty";
    EXPECT_EQ(lesson.pictures[3].name, QStringLiteral("pics\\street.jpg"));
    // Comments: three digits, then the text without its last character.
    ASSERT_EQ(lesson.comments.size(), 3);
    EXPECT_EQ(lesson.comments[0].number, 2);
    EXPECT_EQ(lesson.comments[0].text, QStringLiteral("Проснуться - aufwachen"));
    EXPECT_EQ(lesson.comments[1].text, QStringLiteral("Второй комментарий"));
    EXPECT_TRUE(hasComment(lesson.comments, 3));
    EXPECT_FALSE(hasComment(lesson.comments, 1));
}

TEST(LessonFiles, CommentOf007AttachesToSyntagm7)
{
    QList<Comment> comments;
    EXPECT_FALSE(readComments({QStringLiteral("007Das ist gut.")}, "x.apc", comments));
    ASSERT_EQ(comments.size(), 1);
    EXPECT_EQ(comments[0].number, 7);
    EXPECT_EQ(comments[0].text, QStringLiteral("Das ist gut"));
    const auto bad = readComments({QStringLiteral("7 kurz.")}, "x.apc", comments);
    ASSERT_TRUE(bad);
    EXPECT_EQ(bad->line, 1);
}

TEST(LessonFiles, StudentTimingBesideTheRecording)
{
    TempCourse course;
    writeLesson(course);
    course.writeLines("Anna5.txt", {"#\t#", "100\t900", "1000\t1800"});
    EXPECT_EQ(studentTimingName("Anna5.wav"), QStringLiteral("Anna5.txt"));
    const Lesson lesson = loadLesson(names("Anna5.wav"));
    EXPECT_TRUE(lesson.studentTimingFound);
    EXPECT_EQ(lesson.studentTiming[2].begin, 100);
    EXPECT_EQ(lesson.studentTiming[3].end, 1800);
    EXPECT_EQ(lesson.timing[3].end, 4000) << "the lesson's own timing stays";
    EXPECT_FALSE(loadLesson(names("Other.wav")).studentTimingFound);
}

// Every fault names its file and line; what was read before it, and every
// other file, stays in use.
TEST(LessonFiles, FaultsKeepWhatWasRead)
{
    TempCourse course;
    writeLesson(course);
    course.writeLines("L.tim", {"#", "300\t2100", "2400 4000"});
    course.writeLines("L.pic", {"0\t2200\tmorning.jpg", "zwei\t3\tx.jpg"});
    QFile::remove(course.filePath("L.ru.txt"));
    const Lesson lesson = loadLesson(names());
    ASSERT_EQ(lesson.errors.size(), 3);
    EXPECT_EQ(lesson.errors[0].file, QStringLiteral("L.ru.txt"));
    EXPECT_EQ(lesson.errors[1].file, QStringLiteral("L.tim"));
    EXPECT_EQ(lesson.errors[1].line, 3);
    EXPECT_EQ(lesson.errors[2].line, 2);
    EXPECT_EQ(lesson.timing[2].end, 2100);
    EXPECT_EQ(lesson.pictures.size(), 2);
    EXPECT_EQ(lesson.comments.size(), 3);
    EXPECT_EQ(lesson.count(), 3);

    // A timing file longer than the text, and times that cannot be.
    TimingTable table(3);
    const auto longer = readTiming({"1\t2", "3\t4", "5\t6"}, "t", table);
    ASSERT_TRUE(longer);
    EXPECT_EQ(longer->line, 3);
    EXPECT_EQ(table[2].end, 4);
    for (const char* bad : {"-5\t100", "500\t100", "\t", "12"})
        EXPECT_TRUE(readTiming({bad}, "t", table)) << bad;
}

TEST(LessonFiles, ByteOrderMarkReadsAsUtf8)
{
    TempCourse course;
    writeLesson(course);
    course.write("L.txt",
                 QByteArray("\xEF\xBB\xBF#Titel\r\n") + QStringLiteral("Grüße\r\n").toUtf8());
    EXPECT_EQ(loadLesson(names()).text[1], QStringLiteral("Grüße"));
}

TEST(ListeningRules, SyntagmStaysCurrentUntilTheSoundPassesItsEnd)
{
    TimingTable table{{}, {}, {12000, 15500}, {15600, 18000}, {}, {18100, 19000}};
    const int n = 5;
    EXPECT_EQ(followSound(table, n, 1, 0), 2) << "past the title heading";
    EXPECT_EQ(followSound(table, n, 2, 15500), 2) << "at exactly its end it is still current";
    EXPECT_EQ(followSound(table, n, 2, 15501), 3);
    EXPECT_EQ(followSound(table, n, 3, 18001), 4) << "onto the heading";
    EXPECT_EQ(followSound(table, n, 4, 18001), 5) << "over a heading, at most two steps";
    EXPECT_EQ(followSound(table, n, 5, 99999), 5) << "never beyond the last";
}

TEST(ListeningRules, StartsOfPlaying)
{
    EXPECT_EQ(playAllStart({{}, {}, {700, 900}}), 700);
    EXPECT_EQ(playAllStart({{}, {250, 900}}), 250) << "a lesson of one line";
    EXPECT_EQ(playAllStart({{}}), 0) << "no line at all";
    const TimingTable table{{}, {}, {700, 900}};
    EXPECT_EQ(playFromStart(table, 1), 700) << "from a heading, the next syntagm";
    EXPECT_EQ(playFromStart(table, 2), 700);
}

TEST(ListeningRules, MarkingARangeEitherWayRound)
{
    TimingTable table(11, TimingEntry{100, 200});
    table[0] = table[1] = table[9] = {};
    for (int i = 2; i < 11; ++i)
        table[i] = {i * 1000, i * 1000 + 800};
    table[9] = {};

    LoopRange range;
    EXPECT_FALSE(loopSpan(range, table)) << "\"Цикл\" before any mark";
    range.mark(6, table);
    EXPECT_EQ(std::pair(range.start, range.end), std::pair(6, 6));
    EXPECT_TRUE(range.markingEnd);
    range.mark(8, table);
    EXPECT_EQ(std::pair(range.start, range.end), std::pair(6, 8));
    EXPECT_FALSE(range.markingEnd);
    EXPECT_EQ(loopSpan(range, table)->begin, 6000);
    EXPECT_EQ(loopSpan(range, table)->end, 8800);

    LoopRange back;
    back.mark(8, table);
    back.mark(6, table);
    EXPECT_EQ(std::pair(back.start, back.end), std::pair(6, 8));

    LoopRange toHeading;
    toHeading.mark(7, table);
    toHeading.mark(9, table);
    EXPECT_EQ(toHeading.end, 8) << "a heading ends the range before it";
}

TEST(WindowFitting, PagesKeepTheirProportion)
{
    const PageLayout design{{547, 369}, 116};
    EXPECT_EQ(fitWindow({0, 0, 1094, 738}, design), QRect(0, 16, 1094, 705));
    // Height-limited: the pages' width from the height above the lower panel,
    // round((369 - 116) * 520 / 280) = 470, centred across.
    EXPECT_EQ(fitWindow({10, 20, 1094, 369}, design), QRect(10 + 312, 20, 470, 369));
    EXPECT_EQ(leftPageWidth(280), 260);
}
