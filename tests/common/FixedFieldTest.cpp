#include "common/FixedField.h"
#include "common/ShortString.h"

#include <gtest/gtest.h>

TEST(FixedField, WritingKeepsTheBytesAfterTheText)
{
    QByteArray record(40, '\x5A');
    ASSERT_TRUE(FixedField::write(record, 4, 30, QStringLiteral("Иванов")));
    EXPECT_EQ(record[4], char(6));
    EXPECT_EQ(record.mid(5, 6), QByteArray("\xC8\xE2\xE0\xED\xEE\xE2"));
    EXPECT_EQ(record.mid(11), QByteArray(29, '\x5A')) << "garbage after the text stays";
    EXPECT_EQ(record.left(4), QByteArray(4, '\x5A'));
    EXPECT_EQ(FixedField::read(record, 4, 30), QStringLiteral("Иванов"));

    // A shorter text over a longer one leaves the old tail as it was.
    ASSERT_TRUE(FixedField::write(record, 4, 30, QStringLiteral("Ян")));
    EXPECT_EQ(FixedField::read(record, 4, 30), QStringLiteral("Ян"));
    EXPECT_EQ(record.mid(7, 4), QByteArray("\xE0\xED\xEE\xE2"));
}

TEST(FixedField, RefusesWhatDoesNotFitAndNeverReadsPastTheRecord)
{
    QByteArray record(12, '\0');
    const QByteArray before = record;
    EXPECT_FALSE(FixedField::write(record, 0, 10, QString(11, QLatin1Char('x'))));
    EXPECT_FALSE(FixedField::write(record, 0, 10, QStringLiteral("Müller")));
    EXPECT_FALSE(FixedField::write(record, 5, 10, "abc")) << "field would run past the record";
    EXPECT_EQ(record, before);

    record[0] = char(200); // a damaged length byte
    EXPECT_EQ(FixedField::read(record, 0, 10).size(), 10);
    record[8] = char(255);
    EXPECT_EQ(FixedField::read(record, 8, 255).size(), 3);
    EXPECT_EQ(FixedField::read(record, 12, 10), QString());
    EXPECT_EQ(FixedField::read(record, -1, 10), QString());
}

TEST(FixedField, LittleEndianIntegers)
{
    QByteArray record(8, '\0');
    writeInt32(record, 4, -2);
    EXPECT_EQ(record.mid(4), QByteArray("\xFE\xFF\xFF\xFF"));
    EXPECT_EQ(readInt32(record, 4), -2);
    writeInt32(record, 0, 0x01020304);
    EXPECT_EQ(record.left(4), QByteArray("\x04\x03\x02\x01"));
    EXPECT_EQ(readInt32(record, 6), 0) << "out of the record";
}

TEST(ShortString, CutsToItsLimit)
{
    EXPECT_EQ(cutShort(QString(300, QLatin1Char('a'))).size(), 255);
    EXPECT_EQ(cutShort(QString(40, QLatin1Char('a')), UserNameMax).size(), 30);
    EXPECT_EQ(cutShort("abc", PasswordMax), "abc");
}
