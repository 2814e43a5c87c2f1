#include "common/CodePage.h"

#include <QStringDecoder>
#include <gtest/gtest.h>

TEST(CodePage, RussianAndGermanRoundTrip)
{
    const QString russian = QStringLiteral("Съешь же ещё этих мягких французских булок");
    const auto bytes1251 = encode(CodePage::Cp1251, russian);
    ASSERT_TRUE(bytes1251);
    EXPECT_EQ(bytes1251->size(), russian.size());                  // one byte a character
    EXPECT_EQ(static_cast<unsigned char>(bytes1251->at(0)), 0xD1); // С
    EXPECT_EQ(decode(CodePage::Cp1251, *bytes1251), russian);

    const QString german = QStringLiteral("Größe, Übermaß, Mädchen, Čech");
    const auto bytes1250 = encode(CodePage::Cp1250, german);
    ASSERT_TRUE(bytes1250);
    EXPECT_EQ(static_cast<unsigned char>(bytes1250->at(2)), 0xF6); // ö
    EXPECT_EQ(decode(CodePage::Cp1250, *bytes1250), german);
}

TEST(CodePage, RefusesCharactersTheCodePageLacks)
{
    EXPECT_FALSE(encode(CodePage::Cp1251, QStringLiteral("Müller")));
    EXPECT_FALSE(encode(CodePage::Cp1250, QStringLiteral("Привет")));
    EXPECT_FALSE(encode(CodePage::Cp1251, QStringLiteral("日本")));
    EXPECT_TRUE(encode(CodePage::Cp1251, QString()));
}

TEST(CodePage, EveryByteConvertsAsTheSystemCodecDoes)
{
    for (const auto& [page, name] : {std::pair{CodePage::Cp1250, "windows-1250"},
                                     std::pair{CodePage::Cp1251, "windows-1251"}}) {
        for (int byte = 0; byte < 256; ++byte) {
            const QByteArray one(1, char(byte));
            const QString expected = QStringDecoder(name).decode(one);
            EXPECT_EQ(decode(page, one), expected) << name << " byte " << byte;
            if (expected != QString(QChar::ReplacementCharacter)) {
                EXPECT_EQ(encode(page, expected), one) << name << " byte " << byte;
            }
        }
    }
}
