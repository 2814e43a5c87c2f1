#include "common/FixedField.h"

#include "common/CodePage.h"

#include <QtEndian>

QString FixedField::read(const QByteArray& record, int offset, int capacity)
{
    if (offset < 0 || offset >= record.size())
        return {};
    int length = static_cast<unsigned char>(record[offset]);
    // A damaged length never reads past the field or the record.
    length = std::min({length, capacity, int(record.size()) - offset - 1});
    return decode(CodePage::Cp1251, QByteArrayView(record).sliced(offset + 1, length));
}

bool FixedField::write(QByteArray& record, int offset, int capacity, const QString& text)
{
    std::optional<QByteArray> bytes = encode(CodePage::Cp1251, text);
    if (!bytes || bytes->size() > capacity || capacity > 255 || offset < 0 ||
        offset + 1 + capacity > record.size())
        return false;
    record[offset] = char(bytes->size());
    std::copy(bytes->begin(), bytes->end(), record.begin() + offset + 1);
    return true;
}

qint32 readInt32(const QByteArray& record, int offset)
{
    if (offset < 0 || offset + 4 > record.size())
        return 0;
    return qFromLittleEndian<qint32>(record.constData() + offset);
}

void writeInt32(QByteArray& record, int offset, qint32 value)
{
    if (offset >= 0 && offset + 4 <= record.size())
        qToLittleEndian<qint32>(value, record.data() + offset);
}
