#include "common/FileProblems.h"

#include <QFileInfo>
#include <cerrno>

bool isSpecialFile(const QString& path)
{
    const QFileInfo info(path);
    return info.exists() && !info.isFile() && !info.isDir();
}

QString systemErrorText(int code, const QString& fallback)
{
    switch (code) {
    case ENOSPC:
        return QStringLiteral("на диске нет свободного места");
    case EDQUOT:
        return QStringLiteral("исчерпана квота на диске");
    case EFBIG:
        return QStringLiteral("файл слишком велик для диска");
    case EACCES:
    case EPERM:
        return QStringLiteral("нет прав доступа");
    case EISDIR:
        return QStringLiteral("на месте файла находится папка");
    case ENOTDIR:
        return QStringLiteral("часть пути - файл, а не папка");
    case EROFS:
        return QStringLiteral("диск доступен только для чтения");
    case ENOENT:
        return QStringLiteral("папка не найдена");
    default:
        return fallback;
    }
}
