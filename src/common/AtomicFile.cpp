#include "common/AtomicFile.h"

#include "common/FileProblems.h"

#include <QSaveFile>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {
// The reason is taken at once: cancelling the write replaces the file's error
// text with its own.
CourseError writeError(const QString& path, const QString& what, const QSaveFile& file, int code)
{
    return CourseError{
        path, 0, QStringLiteral("%1 (%2)").arg(what, systemErrorText(code, file.errorString()))};
}
} // namespace

std::optional<CourseError> writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return writeError(path, QStringLiteral("не удается создать файл"), file, errno);
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        const CourseError error =
            writeError(path, QStringLiteral("не удается записать файл"), file, errno);
        file.cancelWriting();
        return error;
    }
#ifdef Q_OS_UNIX
    if (::fsync(file.handle()) != 0) {
        const CourseError error =
            writeError(path, QStringLiteral("не удается записать файл на диск"), file, errno);
        file.cancelWriting();
        return error;
    }
#endif
    if (!file.commit())
        return writeError(path, QStringLiteral("не удается сохранить файл"), file, errno);
    return std::nullopt;
}
