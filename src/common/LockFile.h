#pragma once

#include <QString>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

// A lock shared by the programs of every machine that opens one course
// folder, also on a file server. The lock is a file made by exclusive create;
// it names its holder (machine, process, a random token) and the time the
// holder last renewed it. A lock held long (a student's progress, for as long
// as the student works) is renewed by a thread of the holder every RenewMs; a
// brief one (one change of the user list) is released long before it could
// look stale, and spares the thread.
// A lock left behind is taken over: at once when its holder ran on this
// machine and that process has ended, else when it has not been renewed for
// StaleMs (a holder on another machine that was switched off or lost the
// network). The machines' clocks must agree to within a few seconds.
//
// Network file systems cache what they saw: a lock removed on one machine may
// still look present on another for many seconds. A busy lock is therefore
// always read before it is judged; reading refreshes the cached view, and a
// lock found gone is tried again at once.
class LockFile {
public:
    static constexpr int StaleMs = 10000;
    static constexpr int RenewMs = 2000;

    enum class Error { None, Busy, System };
    enum class Hold { Brief, Long };

    explicit LockFile(QString path, Hold hold = Hold::Brief);
    ~LockFile(); // unlocks
    LockFile(const LockFile&) = delete;
    LockFile& operator=(const LockFile&) = delete;

    // Tries for up to waitMs milliseconds; 0 tries once (a lock left behind is
    // still taken over).
    bool tryLock(int waitMs);
    // Removes the lock file when it is still this holder's.
    void unlock();
    bool isLocked() const { return locked_; }
    Error error() const { return error_; }
    // The system's reason when error() is System.
    const QString& errorText() const { return errorText_; }

    // Told of every tryLock: how long it waited and whether it got the lock.
    using WaitObserver = std::function<void(qint64 waitedMs, bool locked)>;
    static void setWaitObserver(WaitObserver observer);

private:
    enum class Attempt { Locked, Busy, Again, Failed };
    Attempt attempt();
    void startRenewing();
    void renewUntilStopped(std::stop_token stop);

    QString path_;
    Hold hold_;
    QByteArray token_;
    bool locked_ = false;
    Error error_ = Error::None;
    QString errorText_;
    std::mutex renewMutex_;
    std::condition_variable_any renewWake_;
    std::jthread renewer_;
};
