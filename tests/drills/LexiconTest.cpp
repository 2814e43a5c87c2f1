#include "drills/Lexicon.h"
#include "drills/DrillRandom.h"
#include "support/TempCourse.h"

#include <QSet>
#include <gtest/gtest.h>

namespace {
const DrillFiles Files{"lex.de.txt", "lex.ru.txt", "lex.tim", "lex.wav"};

void writeLexicon(const TempCourse& course, const QStringList& expressions,
                  const QStringList& translations)
{
    course.writeLines(Files.text, expressions, true);
    course.writeLines(Files.trans, translations);
}

LexiconDrill startedDrill(const QStringList& translations, std::uint64_t seed = 1)
{
    QList<LexiconItem> items;
    for (const QString& translation : translations)
        items.append(LexiconItem{"de " + translation, translation, false, 0, 0});
    seedDrillRandom(seed);
    LexiconDrill drill(items);
    drill.start();
    return drill;
}
} // namespace

TEST(DrillTiming, LineIsSplitAtTheFirstTab)
{
    const auto segment = parseTimingLine("1200\t2950");
    ASSERT_TRUE(segment);
    EXPECT_EQ(segment->start, 1200);
    EXPECT_EQ(segment->end, 2950);
    const auto signs = parseTimingLine("-5\t+7");
    ASSERT_TRUE(signs);
    EXPECT_EQ(signs->start, -5);
    EXPECT_EQ(signs->end, 7);

    EXPECT_FALSE(parseTimingLine("1200 2950")) << "no TAB";
    EXPECT_FALSE(parseTimingLine("12a\t30")) << "not an integer";
    EXPECT_FALSE(parseTimingLine("1\t2\t3")) << "the whole rest is the end";
    EXPECT_FALSE(parseTimingLine("1\t2\t")) << "a trailing TAB is part of the end";
    EXPECT_FALSE(parseTimingLine("1\t2 ")) << "so is a trailing blank";
    EXPECT_FALSE(parseTimingLine(" 1\t2")) << "a sign and digits only";
    EXPECT_FALSE(parseTimingLine("\t5"));
    EXPECT_FALSE(parseTimingLine("1\t"));
    EXPECT_FALSE(parseTimingLine("1\t99999999999")) << "beyond 32 bits";
}

TEST(DrillTiming, ReadingStopsAtTheFirstBadLine)
{
    TempCourse course;
    course.writeLines("t.tim", {"0\t100", "100\t250", "oops", "300\t400"});
    const DrillTiming timing = readDrillTiming("t.tim");
    ASSERT_EQ(timing.segments.size(), 2);
    EXPECT_EQ(timing.segments[1].end, 250);
    ASSERT_TRUE(timing.error);
    EXPECT_EQ(timing.error->line, 3);
    const DrillTiming absent = readDrillTiming("absent.tim");
    EXPECT_TRUE(absent.error);
    EXPECT_TRUE(absent.segments.isEmpty());
}

TEST(LexiconFiles, ReadsCodePagesAndSegments)
{
    TempCourse course;
    writeLexicon(course, {QStringLiteral("die Küche"), QStringLiteral("schön"), ""},
                 {QStringLiteral("кухня"), QStringLiteral("красивый"), QStringLiteral("пусто")});
    course.writeLines(Files.timing, {"0\t900", "1200\t2950", "3000\t3500"});

    const DrillLoad<LexiconItem> load = loadLexicon(Files);
    EXPECT_FALSE(load.error);
    ASSERT_TRUE(load.runnable);
    ASSERT_EQ(load.items.size(), 3) << "an empty line is an item too";
    EXPECT_EQ(load.items[0].expression, QStringLiteral("die Küche"));
    EXPECT_EQ(load.items[1].translation, QStringLiteral("красивый"));
    EXPECT_EQ(load.items[1].start, 1200);
    EXPECT_EQ(load.items[1].end, 2950);
    EXPECT_EQ(load.items[2].expression, "");
    EXPECT_FALSE(load.items[2].done);
}

// Saved by an old Mac editor: three words stay three items, each with its
// translation and its piece of the recording.
TEST(LexiconFiles, LinesEndingInCrAloneAreLines)
{
    TempCourse course;
    course.write(Files.text, "eins\rzwei\rdrei\r");
    course.write(Files.trans, "\xee\xe4\xe8\xed\r\xe4\xe2\xe0\r\xf2\xf0\xe8");
    course.write(Files.timing, "0\t500\r600\t900\r1000\t1400\r");
    const DrillLoad<LexiconItem> load = loadLexicon(Files);
    EXPECT_FALSE(load.error);
    ASSERT_EQ(load.items.size(), 3);
    EXPECT_EQ(load.items[1].expression, "zwei");
    EXPECT_EQ(load.items[2].translation, QStringLiteral("три"));
    EXPECT_EQ(load.items[2].start, 1000);
}

TEST(LexiconFiles, ShortOrLongTranslationFiles)
{
    TempCourse course;
    writeLexicon(course, {"a", "b", "c"}, {QStringLiteral("а")});
    DrillLoad<LexiconItem> shorter = loadLexicon({Files.text, Files.trans, "", ""});
    EXPECT_FALSE(shorter.error) << "missing translation lines are simply empty";
    EXPECT_TRUE(shorter.runnable);
    EXPECT_EQ(shorter.items[2].translation, "");

    writeLexicon(course, {"a"}, {QStringLiteral("а"), QStringLiteral("б")});
    DrillLoad<LexiconItem> longer = loadLexicon({Files.text, Files.trans, "", ""});
    ASSERT_TRUE(longer.error) << "a translation without its expression is reported";
    EXPECT_EQ(longer.error->line, 2);
    EXPECT_TRUE(longer.runnable);
    EXPECT_EQ(longer.items.size(), 1);
}

TEST(LexiconFiles, BadTimingLineKeepsWhatWasRead)
{
    TempCourse course;
    writeLexicon(course, {"a", "b", "c"}, {"1", "2", "3"});
    course.writeLines(Files.timing, {"10\t20", "30 40", "50\t60"});
    const DrillLoad<LexiconItem> load = loadLexicon(Files);
    ASSERT_TRUE(load.error);
    EXPECT_EQ(load.error->line, 2);
    EXPECT_TRUE(load.runnable);
    EXPECT_EQ(load.items[0].end, 20);
    EXPECT_EQ(load.items[1].start, 0);
    EXPECT_EQ(load.items[2].end, 0) << "segments after the bad line stay unread";
}

TEST(LexiconFiles, MissingTimingFileIsAFaultButTheDrillRuns)
{
    TempCourse course;
    writeLexicon(course, {"a", "b"}, {"1", "2"});
    const DrillLoad<LexiconItem> load = loadLexicon(Files);
    ASSERT_TRUE(load.error);
    EXPECT_EQ(load.error->file, Files.timing);
    EXPECT_TRUE(load.runnable);
    ASSERT_EQ(load.items.size(), 2);
    EXPECT_EQ(load.items[1].translation, "2");
    EXPECT_EQ(load.items[1].end, 0) << "nothing to play";
}

TEST(LexiconFiles, MissingOrEmptyTextFilesDoNotRun)
{
    TempCourse course;
    DrillLoad<LexiconItem> none = loadLexicon(Files);
    EXPECT_TRUE(none.error);
    EXPECT_FALSE(none.runnable);

    course.write(Files.text, "");
    course.writeLines(Files.trans, {"x"});
    DrillLoad<LexiconItem> empty = loadLexicon(Files);
    EXPECT_TRUE(empty.error);
    EXPECT_FALSE(empty.runnable) << "no items";

    writeLexicon(course, {"a"}, {"b"});
    EXPECT_TRUE(loadLexicon({Files.text, Files.trans, "", ""}).runnable);

    course.write(Files.trans, QByteArray());
    QFile::remove(course.filePath(Files.trans));
    EXPECT_FALSE(loadLexicon({Files.text, Files.trans, "", ""}).runnable);
}

TEST(LexiconDrill, OneItemEndsWithTheRightAnswer)
{
    LexiconDrill drill = startedDrill({QStringLiteral("дом")});
    EXPECT_EQ(drill.count(), 1);
    EXPECT_EQ(drill.remaining(), 1);
    EXPECT_EQ(drill.errors(), 0);
    const LexiconDrill::Answer answer = drill.answer(QStringLiteral("дом"));
    EXPECT_EQ(answer.outcome, LexiconDrill::Outcome::Right);
    EXPECT_TRUE(answer.finished);
    EXPECT_EQ(drill.remaining(), 0);
}

TEST(LexiconDrill, DuplicateTranslationsBothCountAsRight)
{
    for (std::uint64_t seed = 1; seed <= 5; ++seed) {
        LexiconDrill drill = startedDrill({"same", "same", "other"}, seed);
        int rightAnswers = 0;
        while (drill.currentItem().translation == "same" && rightAnswers < 2) {
            // The list entry of either duplicate carries the same text.
            const auto answer = drill.answer("same");
            ASSERT_EQ(answer.outcome, LexiconDrill::Outcome::Right);
            ++rightAnswers;
        }
        EXPECT_EQ(drill.correct(), rightAnswers);
    }
}

TEST(LexiconDrill, FirstAndSecondMiss)
{
    LexiconDrill drill = startedDrill({"a", "b", "c"});
    const int first = drill.current();
    const auto miss = drill.answer("wrong");
    EXPECT_EQ(miss.outcome, LexiconDrill::Outcome::FirstMiss);
    EXPECT_TRUE(drill.retryPending());
    EXPECT_EQ(drill.current(), first) << "the expression stays for a second try";
    EXPECT_EQ(drill.errors(), 0);

    const QString expected = drill.currentItem().translation;
    const auto second = drill.answer("wrong");
    EXPECT_EQ(second.outcome, LexiconDrill::Outcome::SecondMiss);
    EXPECT_EQ(second.expected, expected) << "the correct translation is shown";
    EXPECT_EQ(drill.errors(), 1);
    EXPECT_FALSE(drill.retryPending());
    EXPECT_FALSE(drill.items()[first].done) << "the missed item comes back later";
    EXPECT_EQ(drill.remaining(), 3);

    EXPECT_EQ(drill.answer("wrong").outcome, LexiconDrill::Outcome::FirstMiss)
        << "a new miss starts with a second try again";
    EXPECT_EQ(drill.errors(), 1);
}

TEST(LexiconDrill, RightAfterFirstMissCountsNoError)
{
    LexiconDrill drill = startedDrill({"a", "b"});
    drill.answer("wrong");
    const auto right = drill.answer(drill.currentItem().translation);
    EXPECT_EQ(right.outcome, LexiconDrill::Outcome::Right);
    EXPECT_EQ(drill.errors(), 0);
    EXPECT_EQ(drill.remaining(), 1);
    EXPECT_FALSE(drill.retryPending());
}

TEST(LexiconDrill, EveryItemMustBeRightOnceAndDoneItemsAreNeverDrawn)
{
    LexiconDrill drill = startedDrill({"a", "b", "c", "d", "e"}, 7);
    QSet<int> missed;
    QSet<int> done;
    for (int step = 0; step < 1000; ++step) {
        const int current = drill.current();
        ASSERT_FALSE(done.contains(current)) << "a done item was drawn again";
        if (!missed.contains(current)) {
            // Every item is missed twice on its first appearance.
            drill.answer("x");
            drill.answer("x");
            missed.insert(current);
            continue;
        }
        const auto answer = drill.answer(drill.currentItem().translation);
        done.insert(current);
        if (answer.finished)
            break;
    }
    EXPECT_EQ(done.size(), 5);
    EXPECT_EQ(drill.errors(), 5);
    EXPECT_EQ(drill.remaining(), 0);
}

TEST(DrillRandom, DrawsAreUniformAmongOpenItemsAndRepeatableBySeed)
{
    LexiconDrill drill = startedDrill({"a", "b", "c", "d"}, 42);
    // Make items 0 and 2 done by answering them whenever they come up.
    while (drill.correct() < 2) {
        if (drill.current() == 1 || drill.current() == 3)
            drill.selectNext();
        else
            drill.answer(drill.currentItem().translation);
    }
    int counts[4] = {0, 0, 0, 0};
    for (int i = 0; i < 4000; ++i) {
        drill.selectNext();
        ++counts[drill.current()];
    }
    EXPECT_EQ(counts[0] + counts[2], 0);
    EXPECT_GT(counts[1], 1800);
    EXPECT_GT(counts[3], 1800);

    auto sequence = [](std::uint64_t seed) {
        seedDrillRandom(seed);
        QList<int> draws;
        for (int i = 0; i < 20; ++i)
            draws.append(drawUniform(1, 1000));
        return draws;
    };
    EXPECT_EQ(sequence(9), sequence(9));
    EXPECT_NE(sequence(9), sequence(10));
    EXPECT_EQ(drawUniform(3, 3), 3);
}

TEST(LexiconPreview, WalksInFileOrder)
{
    LexiconPreview preview({LexiconItem{"a", "1"}, LexiconItem{"b", "2"}, LexiconItem{"c", "3"}});
    preview.start();
    EXPECT_EQ(preview.currentItem().expression, "a");
    EXPECT_EQ(preview.remaining(), 2);
    EXPECT_TRUE(preview.next());
    EXPECT_TRUE(preview.next());
    EXPECT_EQ(preview.currentItem().translation, "3");
    EXPECT_EQ(preview.remaining(), 0);
    EXPECT_FALSE(preview.next()) << "past the last item the preview ends";
}
