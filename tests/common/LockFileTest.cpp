#include "common/LockFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <thread>

namespace {
QByteArray lockText(const QString& host, qint64 pid, qint64 renewedMs)
{
    return host.toUtf8() + "\n" + QByteArray::number(pid) + "\nfeed\n" +
           QByteArray::number(renewedMs).rightJustified(16, '0') + "\n";
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

qint64 endedProcessId()
{
    QProcess process;
    process.start(QStringLiteral("true"), {});
    process.waitForStarted();
    const qint64 pid = process.processId();
    process.waitForFinished();
    return pid;
}

qint64 ago(int ms)
{
    return QDateTime::currentMSecsSinceEpoch() - ms;
}
} // namespace

// A lock file found in the folder: which ones a program may take over at once
// and which ones keep it waiting.
TEST(LockFile, FoundLockIsTakenOverOnlyWhenItsHolderIsGone)
{
    const QString here = QSysInfo::machineHostName();
    const qint64 self = QCoreApplication::applicationPid();
    struct Case {
        const char* what;
        QByteArray contents;
        bool takenOver;
    };
    const Case cases[] = {
        {"a running program of this machine", lockText(here, self, ago(0)), false},
        {"an ended program of this machine", lockText(here, endedProcessId(), ago(0)), true},
        {"another machine, renewed just now", lockText("other-pc", 1, ago(0)), false},
        {"another machine, renewed lately", lockText("other-pc", 1, ago(LockFile::StaleMs - 3000)),
         false},
        {"another machine, not renewed for too long",
         lockText("other-pc", 1, ago(LockFile::StaleMs + 1000)), true},
        {"a running program's lock not renewed for too long",
         lockText(here, self, ago(LockFile::StaleMs + 1000)), true},
        {"a fresh lock whose holder wrote nothing yet", QByteArray(), false},
    };
    for (const Case& c : cases) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Users.eng.lock"));
        writeFile(path, c.contents);
        LockFile lock(path);
        EXPECT_EQ(lock.tryLock(0), c.takenOver) << c.what;
        EXPECT_EQ(lock.error(), c.takenOver ? LockFile::Error::None : LockFile::Error::Busy)
            << c.what;
        if (!c.takenOver) {
            EXPECT_EQ(readFile(path), c.contents) << c.what << ": a live lock is left as it was";
        }
    }
}

// A lock whose holder stopped before writing it is judged by its file time
// alone, which a network file system may show from a cache: only a time
// older than any cache keeps makes it stale.
TEST(LockFile, UnwrittenLockIsStaleOnlyWhenOlderThanAnyCache)
{
    for (const auto& [minutes, takenOver] : {std::pair{0.5, false}, std::pair{2.0, true}}) {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("x.lock"));
        writeFile(path, QByteArray());
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        file.setFileTime(QDateTime::currentDateTime().addSecs(qint64(-minutes * 60)),
                         QFileDevice::FileModificationTime);
        file.close();
        LockFile lock(path);
        EXPECT_EQ(lock.tryLock(0), takenOver) << minutes << " minutes old";
    }
}

TEST(LockFile, OneHolderAtATimeAndTheNextGetsItOnRelease)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.lock"));
    LockFile first(path);
    ASSERT_TRUE(first.tryLock(0));
    EXPECT_TRUE(readFile(path).startsWith(QSysInfo::machineHostName().toUtf8() + "\n"));
    LockFile second(path);
    EXPECT_FALSE(second.tryLock(0));
    EXPECT_EQ(second.error(), LockFile::Error::Busy);

    std::thread release([&first] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        first.unlock();
    });
    EXPECT_TRUE(second.tryLock(5000)) << "a waiter gets the lock when it is released";
    release.join();
    second.unlock();
    EXPECT_FALSE(QFile::exists(path)) << "released locks leave no file";
}

TEST(LockFile, HolderRenewsItsLockAndNeverRemovesAnotherHolders)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.lock"));
    LockFile holder(path, LockFile::Hold::Long);
    ASSERT_TRUE(holder.tryLock(0));
    const QByteArray made = readFile(path);
    std::this_thread::sleep_for(std::chrono::milliseconds(LockFile::RenewMs + 600));
    const QByteArray renewed = readFile(path);
    EXPECT_EQ(renewed.size(), made.size());
    EXPECT_GT(renewed.split('\n').value(3).toLongLong(), made.split('\n').value(3).toLongLong());

    // Taken over meanwhile (the holder was thought gone): its release leaves
    // the new holder's lock alone.
    const QByteArray other = lockText("other-pc", 7, ago(0));
    writeFile(path, other);
    holder.unlock();
    EXPECT_EQ(readFile(path), other);
}

TEST(LockFile, FolderWithoutWayToLockIsAnErrorNotBusy)
{
    LockFile lock(QStringLiteral("/nonexistent-folder/Users.eng.lock"));
    EXPECT_FALSE(lock.tryLock(1000));
    EXPECT_EQ(lock.error(), LockFile::Error::System);
    EXPECT_FALSE(lock.errorText().isEmpty());
}
