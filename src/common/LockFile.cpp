#include "common/LockFile.h"

#include "common/FileProblems.h"
#include "common/FreshRead.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSysInfo>
#include <cerrno>
#include <optional>

#ifdef Q_OS_UNIX
#include <csignal>
#include <unistd.h>
#endif

namespace {
// A lock found gone is tried again at once, a few times, before it counts as
// busy: the view of a network file system may need a read or two to catch up.
constexpr int AgainTries = 3;
// Waiters look again after a short random pause, so that none of many waiting
// programs keeps losing to the others for long.
constexpr int PauseMinMs = 5;
constexpr int PauseMaxMs = 30;

LockFile::WaitObserver& waitObserver()
{
    static LockFile::WaitObserver observer;
    return observer;
}

// A lock file that does not read as a holder is judged by its age, which a
// network file system may show from a cache as that of an earlier lock of
// the same name; it counts as stale only once it is older than any such
// cache keeps a file's times (NFS keeps them up to a minute). Mostly it is a
// lock just made, its holder about to write it.
constexpr qint64 UnreadStaleMs = 90000;

struct Holder {
    QString host;
    qint64 pid = 0;
    QByteArray token;
    qint64 renewedMs = 0;
    qint64 staleAfterMs = LockFile::StaleMs;
    bool operator==(const Holder&) const = default;
};

qint64 nowMs()
{
    return QDateTime::currentMSecsSinceEpoch();
}

qint64 ownPid()
{
    return QCoreApplication::applicationPid();
}

// Fixed width, so that a renewal rewrites the file in place with no moment
// of a shorter file.
QByteArray contentsOf(const Holder& holder)
{
    return holder.host.toUtf8() + '\n' + QByteArray::number(holder.pid) + '\n' + holder.token +
           '\n' + QByteArray::number(holder.renewedMs).rightJustified(16, '0') + '\n';
}

Holder ownHolder(const QByteArray& token)
{
    return {QSysInfo::machineHostName(), ownPid(), token, nowMs()};
}

Holder holderOf(const QByteArray& bytes, const QFileInfo& info)
{
    const QList<QByteArray> lines = bytes.split('\n');
    bool pidOk = false;
    bool timeOk = false;
    if (lines.size() == 5) {
        const qint64 pid = lines[1].toLongLong(&pidOk);
        const qint64 renewed = lines[3].toLongLong(&timeOk);
        if (pidOk && timeOk)
            return {QString::fromUtf8(lines[0]), pid, lines[2], renewed};
    }
    return {QString(), 0, bytes, info.lastModified().toMSecsSinceEpoch(), UnreadStaleMs};
}

// Opening the file is what makes a network file system look again.
std::optional<Holder> readHolder(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = readFresh(file);
    return holderOf(bytes, QFileInfo(file));
}

bool processRunning(qint64 pid)
{
#ifdef Q_OS_UNIX
    return ::kill(pid_t(pid), 0) == 0 || errno == EPERM;
#else
    Q_UNUSED(pid);
    return true;
#endif
}

bool isStale(const Holder& holder)
{
    if (holder.host == QSysInfo::machineHostName() && holder.pid > 0 && !processRunning(holder.pid))
        return true;
    return nowMs() - holder.renewedMs > holder.staleAfterMs;
}

bool createFailedAsExisting(const QString& path, int code)
{
#ifdef Q_OS_UNIX
    Q_UNUSED(path);
    return code == EEXIST;
#else
    Q_UNUSED(code);
    return QFile::exists(path);
#endif
}

// Two programs may judge the same lock stale at once; the one that holds the
// break lock removes it, and only when it is still the lock it judged, so a
// lock made anew meanwhile stays.
void breakStale(const QString& path, const Holder& seen)
{
    LockFile guard(path + QStringLiteral(".break"));
    if (guard.tryLock(0) && readHolder(path) == seen)
        QFile::remove(path);
}
} // namespace

LockFile::LockFile(QString path, Hold hold)
    : path_(std::move(path)), hold_(hold),
      token_(QByteArray::number(QRandomGenerator::global()->generate64(), 16))
{
}

LockFile::~LockFile()
{
    unlock();
}

void LockFile::setWaitObserver(WaitObserver observer)
{
    waitObserver() = std::move(observer);
}

LockFile::Attempt LockFile::attempt()
{
    QFile file(path_);
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        const QByteArray bytes = contentsOf(ownHolder(token_));
        if (file.write(bytes) == bytes.size() && file.flush())
            return Attempt::Locked;
        errorText_ = systemErrorText(errno, file.errorString());
        file.close();
        QFile::remove(path_);
        return Attempt::Failed;
    }
    // An SFTP server has no word for "exists" and says "not permitted"; so
    // whatever the refusal, a lock that can be read is a holder's.
    const int code = errno;
    const QString why = systemErrorText(code, file.errorString());
    const std::optional<Holder> seen = readHolder(path_);
    if (!seen) {
        errorText_ = createFailedAsExisting(path_, code) ? QString() : why;
        return Attempt::Again;
    }
    errorText_.clear();
    if (!isStale(*seen))
        return Attempt::Busy;
    breakStale(path_, *seen);
    return Attempt::Again;
}

bool LockFile::tryLock(int waitMs)
{
    if (locked_)
        return true;
    QElapsedTimer waited;
    waited.start();
    int again = 0;
    Attempt result = attempt();
    while (result != Attempt::Locked && result != Attempt::Failed) {
        if (result == Attempt::Again && ++again <= AgainTries) {
            result = attempt();
            continue;
        }
        // No lock there, and still none can be made: the folder refuses it.
        if (result == Attempt::Again && !errorText_.isEmpty()) {
            result = Attempt::Failed;
            break;
        }
        if (waited.elapsed() >= waitMs)
            break;
        std::this_thread::sleep_for(
            std::chrono::milliseconds(QRandomGenerator::global()->bounded(PauseMinMs, PauseMaxMs)));
        again = 0;
        result = attempt();
    }
    locked_ = result == Attempt::Locked;
    error_ = locked_ ? Error::None : result == Attempt::Failed ? Error::System : Error::Busy;
    if (locked_ && hold_ == Hold::Long)
        startRenewing();
    if (waitObserver())
        waitObserver()(waited.elapsed(), locked_);
    return locked_;
}

void LockFile::startRenewing()
{
    renewer_ = std::jthread([this](std::stop_token stop) { renewUntilStopped(stop); });
}

// Rewrites the renewal time while the file is still this holder's; a holder
// that finds its lock taken over stops renewing it.
void LockFile::renewUntilStopped(std::stop_token stop)
{
    std::unique_lock wait(renewMutex_);
    for (;;) {
        renewWake_.wait_for(wait, stop, std::chrono::milliseconds(RenewMs), [] { return false; });
        if (stop.stop_requested())
            return;
        QFile file(path_);
        if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly) ||
            holderOf(file.readAll(), QFileInfo(file)).token != token_)
            return;
        file.seek(0);
        file.write(contentsOf(ownHolder(token_)));
    }
}

void LockFile::unlock()
{
    if (!locked_)
        return;
    renewer_ = std::jthread();
    const std::optional<Holder> holder = readHolder(path_);
    if (holder && holder->token == token_)
        QFile::remove(path_);
    locked_ = false;
}
