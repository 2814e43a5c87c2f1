#include "common/AtomicFile.h"

#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

std::optional<CourseError> writeFileAtomically(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return CourseError{path, 0,
                           QStringLiteral("не удается создать файл (%1)").arg(file.errorString())};
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return CourseError{path, 0,
                           QStringLiteral("не удается записать файл (%1)").arg(file.errorString())};
    }
#ifdef Q_OS_UNIX
    if (::fsync(file.handle()) != 0) {
        file.cancelWriting();
        return CourseError{path, 0, QStringLiteral("не удается записать файл на диск")};
    }
#endif
    if (!file.commit())
        return CourseError{
            path, 0, QStringLiteral("не удается сохранить файл (%1)").arg(file.errorString())};
    return std::nullopt;
}
