#include "users/ProgressFile.h"
#include "support/TempCourse.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {
QStringList catalogueLines(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("Entry %1\t1\t0\t0\t\t%2\t\t\t\t\t").arg(i).arg(i == 1 ? 0 : 2);
    return lines;
}

QByteArray signatureBytes()
{
    return QByteArray(1, char(27)) + "Quillferns Tolvarenique 1.0";
}

ProgressTable tableOf(int count)
{
    ProgressTable table(count);
    for (int entry = 1; entry <= count; ++entry) {
        table.record(entry).setDone(entry % 2 == 0);
        table.record(entry).setResult(entry * 10);
        table.record(entry).setText(QStringLiteral("/home/u/Ivan%1.wav").arg(entry));
    }
    return table;
}
} // namespace

TEST(ProgressFile, NewUserFileHasOneRecordPerCatalogueLineAfterTheHeader)
{
    TempCourse course;
    course.writeLines("InitRegB.txt", catalogueLines(7));
    auto created = CreateProgress("B");
    ASSERT_TRUE(std::holds_alternative<ProgressTable>(created));
    ASSERT_FALSE(WriteProgress("u.rep", std::get<ProgressTable>(created)));

    const QByteArray bytes = course.read("u.rep");
    ASSERT_EQ(bytes.size(), 8 * 264);
    EXPECT_EQ(bytes.mid(8, 28), signatureBytes());
    EXPECT_EQ(bytes.mid(264), QByteArray(7 * 264, '\0')) << "every exercise record blank";
}

TEST(ProgressFile, LastCatalogueLineWithoutLineEndCounts)
{
    TempCourse course;
    course.write("InitRegA.txt", "a\t1\t0\t0\t\t0\t\t\t\t\t\r\nb\t1\t0\t0\t\t0\t\t\t\t\t");
    auto count = catalogueEntryCount("A");
    ASSERT_TRUE(std::holds_alternative<int>(count));
    EXPECT_EQ(std::get<int>(count), 2);
    EXPECT_TRUE(std::holds_alternative<CourseError>(CreateProgress("C"))) << "no InitRegC.txt";
}

TEST(ProgressFile, RecordsRoundTripWithTheirUnreadBytes)
{
    TempCourse course;
    QByteArray file(264, '\x11');
    QByteArray record(264, '\x77'); // alignment and bytes after the text non-zero
    record[0] = 5;                  // any non-zero value is done
    record[4] = char(0xFE);         // result -2
    record[5] = record[6] = record[7] = char(0xFF);
    record[8] = 3;
    record.replace(9, 3, "abc");
    file += record + QByteArray(264, '\0');
    course.write("p.rep", file);

    ProgressRead read = ReadProgress("p.rep", 2);
    EXPECT_TRUE(read.problem.isEmpty());
    EXPECT_TRUE(read.table.record(1).done());
    EXPECT_EQ(read.table.record(1).result(), -2);
    EXPECT_EQ(read.table.record(1).text(), "abc");
    EXPECT_FALSE(read.table.record(2).done());

    ASSERT_FALSE(WriteProgress("p.rep", read.table));
    const QByteArray written = course.read("p.rep");
    EXPECT_EQ(written.mid(264), file.mid(264)) << "exercise records byte-identical";
    EXPECT_EQ(written.mid(8, 28), signatureBytes());
}

TEST(ProgressFile, FieldsAreWrittenAtTheirOffsets)
{
    ProgressRecord record;
    record.setDone(true);
    record.setResult(33);
    ASSERT_TRUE(record.setText(QStringLiteral("Запись")));
    const QByteArray& raw = record.bytes();
    EXPECT_EQ(raw[0], 1);
    EXPECT_EQ(raw.mid(4, 4), QByteArray("\x21\0\0\0", 4));
    EXPECT_EQ(raw[8], 6);
    EXPECT_EQ(raw.mid(9, 6), QByteArray("\xC7\xE0\xEF\xE8\xF1\xFC"));
    EXPECT_FALSE(record.setText(QString(256, QLatin1Char('x'))));
    EXPECT_EQ(record.text(), QStringLiteral("Запись"));
}

TEST(ProgressFile, ExtraRecordsAndForeignHeaderAreReadWithoutComplaint)
{
    TempCourse course;
    QByteArray file(264, 'h'); // a header without the signature
    file += tableOf(5).toBytes().mid(264);
    course.write("p.rep", file);

    ProgressRead read = ReadProgress("p.rep", 3);
    EXPECT_TRUE(read.problem.isEmpty());
    ASSERT_EQ(read.table.count(), 3);
    EXPECT_EQ(read.table.record(3).text(), "/home/u/Ivan3.wav");
    ASSERT_FALSE(WriteProgress("p.rep", read.table));
    EXPECT_EQ(course.read("p.rep").size(), 4 * 264) << "the extra records are gone";
}

TEST(ProgressFile, MissingOrShortFileReadsAsNotDoneWithAMessageNamingIt)
{
    TempCourse course;
    ProgressRead missing = ReadProgress("none.rep", 4);
    EXPECT_EQ(missing.table.count(), 4);
    EXPECT_FALSE(missing.table.record(4).done());
    EXPECT_TRUE(missing.problem.contains("none.rep"));
    EXPECT_TRUE(missing.problem.contains(QStringLiteral("не найден")));

    course.write("short.rep", tableOf(2).toBytes());
    ProgressRead shortRead = ReadProgress("short.rep", 4);
    ASSERT_EQ(shortRead.table.count(), 4);
    EXPECT_TRUE(shortRead.table.record(2).done()) << "what is there is kept";
    EXPECT_EQ(shortRead.table.record(2).text(), "/home/u/Ivan2.wav");
    EXPECT_FALSE(shortRead.table.record(3).done());
    EXPECT_TRUE(shortRead.problem.contains("short.rep"));

    ASSERT_FALSE(WriteProgress("short.rep", shortRead.table));
    EXPECT_EQ(course.read("short.rep").size(), 5 * 264) << "the next write is whole";
}

TEST(ProgressFile, FailedWriteIsReported)
{
    TempCourse course;
    const auto error = WriteProgress(course.filePath("nofolder/p.rep"), ProgressTable(2));
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->userText().contains("p.rep"));
}

TEST(ProgressFile, SignatureTestForTakingOverAFile)
{
    TempCourse course;
    course.write("good.rep", ProgressTable(3).toBytes());
    course.write("bare.rep", ProgressTable(0).toBytes());
    course.write("text.txt", QByteArray(600, 'a'));
    course.write("short.rep", ProgressTable(0).toBytes().left(263));
    QByteArray longer = ProgressTable(0).toBytes();
    longer[8] = 28; // same characters, a different length
    course.write("longer.rep", longer);

    EXPECT_TRUE(hasProgressSignature("good.rep"));
    EXPECT_TRUE(hasProgressSignature("bare.rep"));
    EXPECT_FALSE(hasProgressSignature("text.txt"));
    EXPECT_FALSE(hasProgressSignature("short.rep"));
    EXPECT_FALSE(hasProgressSignature("longer.rep"));
    EXPECT_FALSE(hasProgressSignature("none.rep"));
}
