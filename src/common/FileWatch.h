#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

// Tells when a file may have been changed by another program: as soon as the
// file system says so where it can (a local disk), else by a look every
// PollMs, since a network file system tells nothing of what other machines
// write. Whoever listens reads the file again and compares.
class FileWatch : public QObject {
    Q_OBJECT
public:
    static constexpr int PollMs = 2000;
    enum class Way { Events, Polling };

    explicit FileWatch(QObject* parent = nullptr);

    // Watches this one file from now on; an empty path watches nothing.
    void watch(const QString& path, Way way);
    void watch(const QString& path) { watch(path, wayFor(path)); }
    // Events for local file systems, polling for network ones.
    static Way wayFor(const QString& path);

signals:
    void changed();

private:
    void watchEvents();

    QString path_;
    QFileSystemWatcher events_;
    QTimer poll_;
};
