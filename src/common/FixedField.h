#pragma once

#include <QByteArray>
#include <QString>
#include <optional>

// A string field of a binary record: one length byte, then the characters in
// code page 1251, the rest of the field left as it was. Writing a field leaves
// the bytes after the text untouched, so a record read and written unchanged is
// byte-for-byte the same.
class FixedField {
public:
    // capacity is the largest text length the field holds (its size minus one).
    static QString read(const QByteArray& record, int offset, int capacity);

    // False (and the record unchanged) when the text does not fit or holds a
    // character that code page 1251 cannot store.
    static bool write(QByteArray& record, int offset, int capacity, const QString& text);
};

// Little-endian integers at an offset of a record. Reads outside the record give 0.
qint32 readInt32(const QByteArray& record, int offset);
void writeInt32(QByteArray& record, int offset, qint32 value);
