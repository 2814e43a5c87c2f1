// A record of any bytes: every field read stays inside the record, and a field
// written with what was read leaves the record byte-for-byte the same.
#include "common/FixedField.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 2)
        return 0;
    const int capacity = data[0];
    QByteArray record(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
    const QByteArray before = record;
    for (int offset = 0; offset < record.size(); offset += 7) {
        const QString text = FixedField::read(record, offset, capacity);
        const int stored = static_cast<unsigned char>(record[offset]);
        if (FixedField::write(record, offset, capacity, text) && stored <= capacity &&
            record != before)
            std::abort();
        record = before;
        (void)readInt32(record, offset);
    }
    return 0;
}
