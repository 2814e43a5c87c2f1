#include "sound/WaveHeader.h"

#include <QFile>
#include <QtEndian>

namespace {
struct ChunkHeader {
    QByteArray id;
    qint64 size = 0;
};

std::optional<ChunkHeader> readChunkHeader(QFile& file)
{
    const QByteArray bytes = file.read(8);
    if (bytes.size() < 8)
        return std::nullopt;
    return ChunkHeader{bytes.left(4), qFromLittleEndian<quint32>(bytes.constData() + 4)};
}
} // namespace

std::optional<WaveDataSize> waveDataSize(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const std::optional<ChunkHeader> riff = readChunkHeader(file);
    if (!riff || riff->id != "RIFF" || file.read(4) != "WAVE")
        return std::nullopt;
    while (const std::optional<ChunkHeader> chunk = readChunkHeader(file)) {
        if (chunk->id == "data")
            return WaveDataSize{chunk->size, file.size() - file.pos()};
        // Chunks are padded to an even length.
        if (!file.seek(file.pos() + chunk->size + (chunk->size & 1)))
            return std::nullopt;
    }
    return std::nullopt;
}
