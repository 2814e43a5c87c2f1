#include "app/RtfReader.h"
#include "support/TempCourse.h"

#include <QFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

namespace {

struct Read {
    QTextDocument document;
    explicit Read(const QByteArray& bytes) { readDescription(bytes, &document); }

    QString text() const { return document.toPlainText(); }
    // The character format of the last character of the first occurrence of word.
    QTextCharFormat format(const QString& word) const
    {
        const QTextCursor found = document.find(word);
        EXPECT_FALSE(found.isNull()) << word.toStdString() << " not in: " << text().toStdString();
        return found.charFormat();
    }
};

QByteArray committedFile(const char* name)
{
    QFile file(testDataPath(QStringLiteral("app/%1").arg(QLatin1String(name))));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

} // namespace

TEST(RtfReader, ParagraphsLineBreaksAndTabs)
{
    const Read read("{\\rtf1\\ansi one\\par two\\line three\\tab four\\par}");
    EXPECT_EQ(read.document.blockCount(), 3);
    EXPECT_EQ(read.document.firstBlock().text(), QStringLiteral("one"));
    EXPECT_EQ(read.document.firstBlock().next().text(),
              QStringLiteral("two") + QChar(QChar::LineSeparator) + QStringLiteral("three\tfour"));
}

TEST(RtfReader, GroupsKeepTheirFormattingToThemselves)
{
    const Read read("{\\rtf1 plain {\\b bold {\\i both}} after \\b on\\b0  off}");
    EXPECT_EQ(read.text(), QStringLiteral("plain bold both after on off"));
    EXPECT_EQ(read.format(QStringLiteral("plain")).fontWeight(), QFont::Normal);
    EXPECT_EQ(read.format(QStringLiteral("bold")).fontWeight(), QFont::Bold);
    EXPECT_TRUE(read.format(QStringLiteral("both")).fontItalic());
    EXPECT_EQ(read.format(QStringLiteral("both")).fontWeight(), QFont::Bold);
    EXPECT_EQ(read.format(QStringLiteral("after")).fontWeight(), QFont::Normal);
    EXPECT_FALSE(read.format(QStringLiteral("after")).fontItalic());
    EXPECT_EQ(read.format(QStringLiteral("on")).fontWeight(), QFont::Bold);
    EXPECT_EQ(read.format(QStringLiteral("off")).fontWeight(), QFont::Normal);
}

TEST(RtfReader, UnderlineSizeAndPlain)
{
    const Read read("{\\rtf1 \\ul under\\ulnone  a \\ul b\\ul0  c \\fs40 big \\plain small}");
    EXPECT_TRUE(read.format(QStringLiteral("under")).fontUnderline());
    EXPECT_FALSE(read.format(QStringLiteral("a")).fontUnderline());
    EXPECT_TRUE(read.format(QStringLiteral("b")).fontUnderline());
    EXPECT_FALSE(read.format(QStringLiteral("c")).fontUnderline());
    EXPECT_EQ(read.format(QStringLiteral("big")).fontPointSize(), 20.0);
    EXPECT_EQ(read.format(QStringLiteral("small")).fontPointSize(), 12.0);
}

TEST(RtfReader, ColoursComeFromTheColourTable)
{
    const Read read("{\\rtf1{\\colortbl;\\red170\\green20\\blue20;\\red0\\green0\\blue255;}"
                    "{\\cf1 red} {\\cf2 blue} {\\cf0 auto} {\\cf9 unknown}}");
    EXPECT_EQ(read.text(), QStringLiteral("red blue auto unknown"));
    EXPECT_EQ(read.format(QStringLiteral("red")).foreground().color(), QColor(170, 20, 20));
    EXPECT_EQ(read.format(QStringLiteral("blue")).foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(read.format(QStringLiteral("auto")).foreground().style(), Qt::NoBrush);
    EXPECT_EQ(read.format(QStringLiteral("unknown")).foreground().style(), Qt::NoBrush);
}

TEST(RtfReader, FontCharsetPicksTheCodePage)
{
    const Read read("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset204 Arial;}"
                    "{\\f1\\fcharset238{\\*\\panose 0}Arial CE;}{\\f2\\fcharset0 Times;}}"
                    "\\'d3\\'f0\\'ee\\'ea {\\f1 \\'9a\\'b9} {\\f2 \\'e9}}");
    EXPECT_EQ(read.text(), QStringLiteral("Урок šą é"));
}

TEST(RtfReader, AnsiCodePageAppliesWithoutAFontTable)
{
    EXPECT_EQ(Read("{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2}").text(),
              QStringLiteral("Привет"));
    EXPECT_EQ(Read("{\\rtf1\\ansi Gr\\'fc\\'dfe}").text(), QStringLiteral("Grüße"));
}

TEST(RtfReader, ParagraphAlignmentAndSpacing)
{
    const Read read("{\\rtf1 \\qc\\sa200 centred\\par\\pard plain\\par}");
    const QTextBlock first = read.document.firstBlock();
    EXPECT_EQ(first.blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_EQ(first.blockFormat().bottomMargin(), 10.0);
    EXPECT_EQ(first.next().blockFormat().alignment(), Qt::AlignLeft);
    EXPECT_EQ(first.next().blockFormat().bottomMargin(), 0.0);
}

TEST(RtfReader, UnicodeCharactersSkipTheirStandIns)
{
    EXPECT_EQ(Read("{\\rtf1 \\u1059?\\u1088?ok}").text(), QStringLiteral("Урok"));
    EXPECT_EQ(Read("{\\rtf1 \\u1059\\'3f\\u1088\\'3fok}").text(), QStringLiteral("Урok"));
    EXPECT_EQ(Read("{\\rtf1\\uc2 \\u1059??x\\uc0 \\u1088 y}").text(), QStringLiteral("Уxрy"));
    // Characters above 32767 are written as negative numbers.
    EXPECT_EQ(Read("{\\rtf1 \\u-4064?}").text(), QString(QChar(char16_t(61472))));
    // A group end ends the skipping, too.
    EXPECT_EQ(Read("{\\rtf1\\uc3 {\\u1059?}x}").text(), QStringLiteral("Уx"));
}

TEST(RtfReader, DestinationsWithoutTextAreSkipped)
{
    const Read read("{\\rtf1{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}{\\author A}}"
                    "{\\*\\generator Writer;}{\\*\\unknownthing {nested} text}"
                    "{\\pict\\pngblip 89504e47}{\\pict\\bin4 {}}\\par}visible}");
    EXPECT_EQ(read.text(), QStringLiteral("visible"));
}

TEST(RtfReader, EscapedCharactersAndSymbols)
{
    // Block text, as the plain text of a document turns no-break spaces into spaces.
    EXPECT_EQ(Read("{\\rtf1 a\\{b\\}c\\\\d\\~e\\-f\\emdash g}").document.firstBlock().text(),
              QStringLiteral("a{b}c\\d") + QChar(QChar::Nbsp) + QStringLiteral("ef") +
                  QChar(0x2014) + QStringLiteral("g"));
}

TEST(RtfReader, FieldsShowTheirResult)
{
    EXPECT_EQ(Read("{\\rtf1 {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt shown}}}").text(),
              QStringLiteral("shown"));
}

TEST(RtfReader, DamagedInputNeverCrashes)
{
    for (const char* bytes :
         {"{\\rtf1", "{\\rtf1 }}}} text", "{\\rtf1 \\'", "{\\rtf1 \\'4", "{\\rtf1 \\bin999999 x",
          "{\\rtf1 \\u", "{\\rtf1 \\b-99999999999999 x}", "{\\rtf1 \\"}) {
        Read read(bytes);
        EXPECT_GE(read.document.blockCount(), 1) << bytes;
    }
}

TEST(Description, TextWithoutRtfHeaderIsPlainCodePage1251)
{
    const Read read("\xcf\xf0\xe8\xe2\xe5\xf2 {\\b not rtf}\r\n\xd1\xf2\xf0\xee\xea\xe0\r\n");
    EXPECT_EQ(read.document.firstBlock().text(), QStringLiteral("Привет {\\b not rtf}"));
    EXPECT_EQ(read.document.firstBlock().next().text(), QStringLiteral("Строка"));
}

TEST(Description, ReadingAgainReplacesTheText)
{
    Read read("{\\rtf1 first}");
    readDescription("{\\rtf1 second}", &read.document);
    EXPECT_EQ(read.text(), QStringLiteral("second"));
}

TEST(WriterRtf, FormattingFromAWordProcessor)
{
    const Read read(committedFile("writer-formatting.rtf"));
    const QStringList lines = read.text().split(QLatin1Char('\n'));
    ASSERT_GE(lines.size(), 4) << read.text().toStdString();
    EXPECT_EQ(lines[0], QStringLiteral("Урок 1. Утро"));
    EXPECT_EQ(lines[1], QStringLiteral("Обычный текст, курсив и подчёркнутый."));
    EXPECT_EQ(lines[2], QStringLiteral("Красный текст и крупный."));
    EXPECT_EQ(lines[3], QStringLiteral("Deutsch: Schön, Grüße, Straße."));
    EXPECT_EQ(read.format(QStringLiteral("Урок")).fontWeight(), QFont::Bold);
    EXPECT_EQ(read.format(QStringLiteral("Обычный")).fontWeight(), QFont::Normal);
    EXPECT_TRUE(read.format(QStringLiteral("курсив")).fontItalic());
    EXPECT_TRUE(read.format(QStringLiteral("подчёркнутый")).fontUnderline());
    EXPECT_EQ(read.format(QStringLiteral("Красный")).foreground().color(), QColor(170, 20, 20));
    EXPECT_EQ(read.format(QStringLiteral("крупный")).fontPointSize(), 20.0);
}

TEST(WriterRtf, PlainTextFromAWordProcessor)
{
    const Read read(committedFile("writer-plain-text.rtf"));
    EXPECT_EQ(read.text().toStdString(),
              QStringLiteral("Erste Zeile mit Tab:\tdanach.\n"
                             "Вторая строка: ёжик, Ärger, Œuvre — “Zitat”.\n")
                  .toStdString());
}
