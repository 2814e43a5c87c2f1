#include "align/AlignText.h"

#include <gtest/gtest.h>

namespace {

QList<AlignLine> parsed(const QByteArray& bytes, TextKind kind)
{
    auto lines = parseAlignText(bytes, kind, true);
    if (const auto* problem = std::get_if<CourseError>(&lines)) {
        ADD_FAILURE() << problem->what.toStdString();
        return {};
    }
    return std::get<QList<AlignLine>>(lines);
}

QString refusal(const QByteArray& bytes, TextKind kind = TextKind::Lesson)
{
    auto lines = parseAlignText(bytes, kind, true);
    const auto* problem = std::get_if<CourseError>(&lines);
    return problem ? problem->what : QString();
}

struct SpokenCase {
    const char* name;
    TextKind kind;
    QByteArray bytes;
    QStringList spoken;
    QList<bool> headings;
    QList<bool> sentenceEnds;
};

// What of each line the recording speaks, by the kind of file.
TEST(AlignText, TakesTheSpokenPartOfEachKindOfLine)
{
    const SpokenCase cases[] = {
        {"lesson",
         TextKind::Lesson,
         "#Titel\r\nAm Montag,\r\nf\xe4hrt sie.\r\n",
         {"", "Am Montag,", "f\u00e4hrt sie."},
         {true, false, false},
         {true, false, true}},
        {"statements",
         TextKind::Statements,
         "Er ist alt.\t0\r\nSie ist jung\t1 egal",
         {"Er ist alt.", "Sie ist jung"},
         {false, false},
         {true, true}},
        {"lexicon keeps an empty line",
         TextKind::Lexicon,
         "Haus\r\n\r\nBaum\r\n",
         {"Haus", "", "Baum"},
         {false, false, false},
         {true, true, true}},
        {"questions",
         TextKind::Questions,
         "Wo wohnt sie?\r\n#nicht Kopf\r\n",
         {"Wo wohnt sie?", "#nicht Kopf"},
         {false, false},
         {true, true}},
    };
    for (const SpokenCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QList<AlignLine> lines = parsed(c.bytes, c.kind);
        ASSERT_EQ(lines.size(), c.spoken.size());
        for (qsizetype i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].spoken, c.spoken[i]);
            EXPECT_EQ(lines[i].heading, c.headings[i]);
            EXPECT_EQ(lines[i].endsSentence, c.sentenceEnds[i]);
        }
    }
}

// A text the aligner cannot use is refused with the reason, never aligned
// as garbage.
TEST(AlignText, RefusesEmptyTextsAndWrongCodePages)
{
    EXPECT_TRUE(refusal("").contains("нет ни одной строки"));
    EXPECT_TRUE(refusal("#Nur ein Titel\r\n#und noch einer\r\n").contains("нет ни одной строки"));
    EXPECT_TRUE(refusal("\r\n  \r\n", TextKind::Lexicon).contains("нет ни одной строки"));
    // "Пример текста на русском" in code page 1251.
    const QByteArray russian("\xcf\xf0\xe8\xec\xe5\xf0 \xf2\xe5\xea\xf1\xf2\xe0 \xed\xe0 "
                             "\xf0\xf3\xf1\xf1\xea\xee\xec\r\n");
    EXPECT_TRUE(refusal(russian).contains("1250"));
    EXPECT_TRUE(refusal("Gr\xc3\xbc\xc3\x9f"
                        "e aus M\xc3\xbcnchen\r\n")
                    .contains("UTF-8"));
    // The same words in code page 1250, and in UTF-8 behind its mark, are fine.
    EXPECT_TRUE(refusal("Gr\xfc\xdf"
                        "e aus M\xfcnchen\r\n")
                    .isEmpty());
    EXPECT_TRUE(refusal("\xef\xbb\xbfGr\xc3\xbc\xc3\x9f"
                        "e\r\n")
                    .isEmpty());
    // A voice of another language takes its own letters.
    EXPECT_TRUE(
        std::holds_alternative<QList<AlignLine>>(parseAlignText(russian, TextKind::Lesson, false)));
}

TEST(AlignText, WritesTheCourseTimingFormat)
{
    const QList<AlignLine> lines = parsed("#Titel\r\nEins.\r\nZwei.", TextKind::Lesson);
    const QByteArray bytes = timingFileBytes(lines, {{0, 0}, {1000, 1450}, {2000, 2675}});
    EXPECT_EQ(bytes, QByteArray("#\t#\r\n1000\t1450\r\n2000\t2675\r\n"));
}

} // namespace
