#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A folder served over SFTP by a private sshd on the loopback address and
// mounted several times with sshfs, as several machines would mount a share
// of a file server. Everything is stopped and unmounted again at the end.
// Without FUSE, sshfs or sshd it is not ready and says why.
class SshfsMounts {
public:
    explicit SshfsMounts(int count);
    ~SshfsMounts();
    SshfsMounts(const SshfsMounts&) = delete;
    SshfsMounts& operator=(const SshfsMounts&) = delete;

    bool ready() const { return problem_.isEmpty(); }
    const QString& problem() const { return problem_; }
    // The folder as the server holds it, and as mount i shows it.
    QString served() const;
    QString mount(int i) const;

private:
    bool makeKeys();
    bool startServer();
    bool mountAll(int count);

    QTemporaryDir dir_;
    QProcess sshd_;
    int port_ = 0;
    QStringList mounted_;
    QString problem_;
};
