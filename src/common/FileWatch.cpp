#include "common/FileWatch.h"

#include <QFileInfo>
#include <QStorageInfo>

namespace {
// File systems whose files other machines write: no local event tells of it.
bool isNetworkType(const QByteArray& type)
{
    static const char* const network[] = {"nfs",  "cifs",    "smb",    "fuse",  "9p", "afs",
                                          "ceph", "gluster", "lustre", "davfs", "ncp"};
    for (const char* prefix : network)
        if (type.startsWith(prefix))
            return true;
    return false;
}
} // namespace

FileWatch::FileWatch(QObject* parent) : QObject(parent), events_(this), poll_(this)
{
    poll_.setInterval(PollMs);
    connect(&poll_, &QTimer::timeout, this, &FileWatch::changed);
    // A file written by rename is a new file: the watch on the old one is gone,
    // and the folder's watch tells of the rename.
    connect(&events_, &QFileSystemWatcher::directoryChanged, this, &FileWatch::watchEvents);
    connect(&events_, &QFileSystemWatcher::fileChanged, this, &FileWatch::watchEvents);
}

FileWatch::Way FileWatch::wayFor(const QString& path)
{
    const QStorageInfo storage(QFileInfo(path).absolutePath());
    return storage.isValid() && !isNetworkType(storage.fileSystemType()) ? Way::Events
                                                                         : Way::Polling;
}

void FileWatch::watch(const QString& path, Way way)
{
    path_ = path;
    poll_.stop();
    if (!events_.files().isEmpty())
        events_.removePaths(events_.files());
    if (!events_.directories().isEmpty())
        events_.removePaths(events_.directories());
    if (path.isEmpty())
        return;
    if (way == Way::Events && events_.addPath(QFileInfo(path).absolutePath()))
        events_.addPath(path);
    else
        poll_.start();
}

void FileWatch::watchEvents()
{
    if (QFileInfo::exists(path_) && !events_.files().contains(path_))
        events_.addPath(path_);
    emit changed();
}
