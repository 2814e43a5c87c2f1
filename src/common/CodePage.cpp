#include "common/CodePage.h"

#include <QHash>
#include <QStringDecoder>
#include <array>

namespace {
// Both code pages map each byte to one character, so a table made once from
// the system codec converts without opening a codec for every field: the user
// list and the catalogues convert hundreds of thousands of short strings.
struct Table {
    std::array<QChar, 256> chars;
    QHash<QChar, char> bytes; // only the characters a byte really stands for
};

Table makeTable(const char* codecName)
{
    Table table;
    for (int byte = 0; byte < 256; ++byte) {
        QStringDecoder decoder(codecName);
        const char one = char(byte);
        const QString text = decoder.decode(QByteArrayView(&one, 1));
        const bool defined =
            text.size() == 1 && !decoder.hasError() && text[0] != QChar::ReplacementCharacter;
        table.chars[byte] = defined ? text[0] : QChar(QChar::ReplacementCharacter);
        if (defined)
            table.bytes.insert(text[0], one);
    }
    return table;
}

const Table& tableOf(CodePage page)
{
    static const Table cp1250 = makeTable("windows-1250");
    static const Table cp1251 = makeTable("windows-1251");
    return page == CodePage::Cp1250 ? cp1250 : cp1251;
}
} // namespace

QString decode(CodePage page, QByteArrayView bytes)
{
    const Table& table = tableOf(page);
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char byte : bytes)
        *out++ = table.chars[quint8(byte)];
    return text;
}

std::optional<QByteArray> encode(CodePage page, const QString& text)
{
    const Table& table = tableOf(page);
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (const QChar c : text) {
        const auto found = table.bytes.constFind(c);
        if (found == table.bytes.cend())
            return std::nullopt;
        *out++ = *found;
    }
    return bytes;
}
