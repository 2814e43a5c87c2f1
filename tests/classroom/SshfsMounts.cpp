#include "SshfsMounts.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>
#include <arpa/inet.h>
#include <netinet/in.h>
#include <pwd.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {
constexpr int ServerStartMs = 10000;

// A port nobody listens on now.
int freePort()
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    int port = 0;
    if (::bind(s, reinterpret_cast<sockaddr*>(&address), size) == 0 &&
        ::getsockname(s, reinterpret_cast<sockaddr*>(&address), &size) == 0)
        port = ntohs(address.sin_port);
    ::close(s);
    return port;
}

bool accepts(int port)
{
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    const bool ok = ::connect(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ::close(s);
    return ok;
}

QString run(const QString& program, const QStringList& args)
{
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return program + QStringLiteral(" failed: ") +
               QString::fromLocal8Bit(process.readAllStandardError());
    return {};
}
} // namespace

SshfsMounts::SshfsMounts(int count)
{
    for (const char* tool : {"sshfs", "fusermount3", "ssh-keygen", "unshare"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            problem_ += QStringLiteral("%1 is not installed (scripts/bootstrap installs it). ")
                            .arg(QString::fromLatin1(tool));
    if (!QFile::exists(QStringLiteral("/usr/sbin/sshd")))
        problem_ += QStringLiteral("sshd is not installed (package openssh-server). ");
    if (!QFile::exists(QStringLiteral("/dev/fuse")))
        problem_ += QStringLiteral("This machine has no FUSE (/dev/fuse is missing): the network "
                                   "file system test cannot run here. ");
    if (!problem_.isEmpty())
        return;
    QDir(dir_.path()).mkpath(QStringLiteral("served"));
    if (makeKeys() && startServer())
        mountAll(count);
}

SshfsMounts::~SshfsMounts()
{
    for (const QString& point : std::as_const(mounted_))
        run(QStringLiteral("fusermount3"), {QStringLiteral("-u"), QStringLiteral("-z"), point});
    sshd_.terminate();
    sshd_.waitForFinished();
}

QString SshfsMounts::served() const
{
    return dir_.filePath(QStringLiteral("served"));
}

QString SshfsMounts::mount(int i) const
{
    return mounted_.value(i);
}

bool SshfsMounts::makeKeys()
{
    for (const char* key : {"host", "client"})
        problem_ += run(QStringLiteral("ssh-keygen"),
                        {QStringLiteral("-q"), QStringLiteral("-t"), QStringLiteral("ed25519"),
                         QStringLiteral("-N"), QString(), QStringLiteral("-f"),
                         dir_.filePath(QString::fromLatin1(key))});
    if (!problem_.isEmpty())
        return false;
    QFile::copy(dir_.filePath(QStringLiteral("client.pub")),
                dir_.filePath(QStringLiteral("authorized_keys")));
    return true;
}

bool SshfsMounts::startServer()
{
    port_ = freePort();
    QFile config(dir_.filePath(QStringLiteral("sshd_config")));
    config.open(QIODevice::WriteOnly);
    config.write(QStringLiteral("ListenAddress 127.0.0.1\nPort %1\nHostKey %2\n"
                                "AuthorizedKeysFile %3\nPasswordAuthentication no\n"
                                "KbdInteractiveAuthentication no\nUsePAM no\nStrictModes no\n"
                                "PermitRootLogin prohibit-password\nPidFile none\n"
                                "Subsystem sftp internal-sftp\n")
                     .arg(port_)
                     .arg(dir_.filePath(QStringLiteral("host")),
                          dir_.filePath(QStringLiteral("authorized_keys")))
                     .toUtf8());
    config.close();
    // Its privilege separation needs this folder when it runs as root.
    QDir().mkpath(QStringLiteral("/run/sshd"));
    sshd_.start(QStringLiteral("/usr/sbin/sshd"), {QStringLiteral("-D"), QStringLiteral("-e"),
                                                   QStringLiteral("-f"), config.fileName()});
    for (int waited = 0; waited < ServerStartMs; waited += 50) {
        if (accepts(port_))
            return true;
        if (sshd_.state() == QProcess::NotRunning)
            break;
        QThread::msleep(50);
    }
    problem_ = QStringLiteral("sshd did not start: ") +
               QString::fromLocal8Bit(sshd_.readAllStandardError());
    return false;
}

// Each mount is its own sshfs process with its own caches, as on two machines.
bool SshfsMounts::mountAll(int count)
{
    for (int i = 0; i < count; ++i) {
        const QString point = dir_.filePath(QStringLiteral("mount%1").arg(i));
        QDir().mkpath(point);
        const QString why =
            run(QStringLiteral("sshfs"),
                {QStringLiteral("-p"), QString::number(port_), QStringLiteral("-o"),
                 QStringLiteral("IdentityFile=%1,StrictHostKeyChecking=no,"
                                "UserKnownHostsFile=/dev/null,LogLevel=ERROR")
                     .arg(dir_.filePath(QStringLiteral("client"))),
                 QStringLiteral("%1@127.0.0.1:%2")
                     .arg(QString::fromLocal8Bit(::getpwuid(::geteuid())->pw_name), served()),
                 point});
        if (!why.isEmpty()) {
            problem_ = QStringLiteral("could not mount with sshfs: ") + why;
            return false;
        }
        mounted_ << point;
    }
    return true;
}
