#include "common/FreshRead.h"

#include <QFile>
#include <algorithm>

#ifdef Q_OS_LINUX
#include <fcntl.h>
#include <sys/stat.h>
#endif

namespace {
constexpr qint64 ChunkBytes = 64 * 1024;

void askSizeAgain(const QFile& file)
{
#ifdef Q_OS_LINUX
    struct statx fresh {};
    ::statx(file.handle(), "", AT_EMPTY_PATH | AT_STATX_FORCE_SYNC, STATX_SIZE, &fresh);
#else
    Q_UNUSED(file);
#endif
}
} // namespace

QByteArray readFresh(QFile& file, qint64 most)
{
    askSizeAgain(file);
    QByteArray bytes;
    for (;;) {
        const qint64 want = most < 0 ? ChunkBytes : std::min(ChunkBytes, most - bytes.size());
        if (want <= 0)
            break;
        const QByteArray chunk = file.read(want);
        if (chunk.isEmpty())
            break;
        bytes += chunk;
    }
    return bytes;
}
