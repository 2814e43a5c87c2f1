// A progress file of any bytes, read for a catalogue of any size: the table
// always has the catalogue's size and is written back whole.
#include "users/ProgressFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("user.rep"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char*>(data + 1), qint64(size - 1));
    file.close();

    const int count = data[0];
    const ProgressRead read = ReadProgress(path, count);
    if (read.table.count() != count)
        std::abort();
    for (int entry = 1; entry <= count; ++entry)
        (void)read.table.record(entry).text();
    if (read.table.toBytes().size() != (count + 1) * ProgressRecord::Size)
        std::abort();
    (void)hasProgressSignature(path);
    return 0;
}
