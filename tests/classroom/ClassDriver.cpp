// One program of the classroom test, working on a course folder through the
// session the program's windows use.
//   class_driver add COURSE NAME...        adds the students, as the teacher
//                                          does before the lesson
//   class_driver student COURSE NAME       chooses the student (added first when
//                                          not listed), marks every entry
//                                          (recordings made with the virtual
//                                          sound engine), takes 10 recordings back
//   class_driver churn COURSE PREFIX N     adds N users, deleting every other one
//   class_driver console COURSE STOPFILE   reads the list and every student's
//                                          report every 100 ms until STOPFILE exists
//   class_driver hold COURSE NAME          makes the student current, says
//                                          "holding" and waits to be killed
//   class_driver mark COURSE NAME ENTRY    marks one listening exercise done
// On its last line it prints "waits" and every lock wait in ms, and for the
// console "reads" and the count of reports read. Faults go to stderr and make
// the exit status 1.
#include "ClassPlan.h"
#include "common/Paths.h"
#include "sound/MediaPlayer.h"
#include "sound/VirtualSoundEngine.h"
#include "users/UserSession.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QThread>
#include <cstdio>

namespace {
QList<qint64> waits;
int faults = 0;

bool told(const QStringList& messages)
{
    for (const QString& message : messages)
        std::fprintf(stderr, "%s\n", qPrintable(message));
    faults += int(messages.size());
    return !messages.isEmpty();
}

bool told(const QList<CourseError>& faults)
{
    QStringList texts;
    for (const CourseError& fault : faults)
        texts << fault.userText();
    return told(texts);
}

// An empty 8 kHz mono file, as the trainer starts from its template.
QByteArray emptyWave()
{
    QByteArray header("RIFF\x24\0\0\0WAVEfmt "
                      "\x10\0\0\0\x01\0\x01\0\x40\x1f\0\0\x80\x3e\0\0\x02\0\x10\0data\0\0\0\0",
                      44);
    return header;
}

// Records half a second of the virtual microphone into the file.
bool record(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(emptyWave()) != 44)
        return false;
    file.close();
    MediaPlayer player;
    player.SetFileName(path);
    player.Open();
    player.StartRecording(0, 500);
    VirtualSound::advance(500);
    player.Save();
    player.Close();
    return player.Error() == 0;
}

// Far faster than any student marks exercises or any teacher adds students,
// yet leaving the processor to the others in between: thirty machines are
// played by the two or so processors of one.
constexpr int MarkPauseMs = 50;
constexpr int ChurnPauseMs = 300;

bool add(UserSession& session, const QString& name)
{
    return !told(
        session.addUser({name, "", "", defaultProgressPath(QDir::currentPath(), name), "A"})
            .messages);
}

int addAll(const QStringList& names)
{
    UserSession session;
    told(session.loadUserList());
    for (const QString& name : names)
        add(session, name);
    return 0;
}

int student(const QString& name)
{
    UserSession session;
    if (told(session.loadUserList()) ||
        (session.users().indexOfName(name) < 0 && !add(session, name)) ||
        told(session.changeUser(session.users().indexOfName(name))))
        return 1;
    for (int entry = 1; entry <= classplan::Entries; ++entry) {
        QThread::msleep(MarkPauseMs);
        RunOutcome outcome{classplan::Errors, classplan::Questions, {}};
        if (classplan::kindOf(entry) == ExerciseKind::Interpretation) {
            outcome.recordingName = session.recordingName(entry);
            if (!record(coursePath(outcome.recordingName)))
                told({QStringLiteral("запись %1 не сделана").arg(entry)});
        }
        told(session.markDone(entry, classplan::kindOf(entry), outcome));
    }
    for (int entry = 1; entry <= classplan::Entries; ++entry)
        if (classplan::takenBack(entry)) {
            QThread::msleep(MarkPauseMs);
            told(session.takeBackRecording(entry, classplan::kindOf(entry)));
        }
    told(session.close());
    return 0;
}

int churn(const QString& prefix, int rounds)
{
    UserSession session;
    told(session.loadUserList());
    for (int round = 0; round < rounds; ++round) {
        if (round > 0)
            QThread::msleep(ChurnPauseMs);
        add(session, prefix + QString::number(round));
        if (round % 2 == 1) {
            const QString gone = prefix + QString::number(round - 1);
            told(session.deleteUser(session.users().indexOfName(gone)));
            const QDir left(QStringLiteral("Report/") + gone);
            if (left.exists())
                told({QStringLiteral("папка %1 осталась: %2")
                          .arg(gone, left.entryList(QDir::AllEntries | QDir::Hidden |
                                                    QDir::NoDotAndDotDot)
                                         .join(u' '))});
        }
    }
    return 0;
}

// The list and every report must read whole and valid at every moment; a
// report that cannot be read is a fault unless its user was deleted meanwhile.
void readEveryReport(int& reads)
{
    const UserListLoad list = LoadUserList();
    told(list.warnings);
    if (list.error)
        told({list.error->userText()});
    for (int i = 0; i < list.table.count(); ++i) {
        const QString progress = list.table.at(i).progressFile();
        const ProgressRead read = ReadProgress(coursePath(progress), classplan::Entries);
        ++reads;
        if (read.problem.isEmpty() && read.asWritten)
            continue;
        if (LoadUserList().table.indexOfProgressFile(progress) >= 0)
            told({QStringLiteral("отчет %1 прочитан с ошибкой: %2")
                      .arg(list.table.at(i).name(), read.problem)});
    }
}

int console(const QString& stopFile)
{
    int reads = 0;
    while (!QFile::exists(stopFile)) {
        readEveryReport(reads);
        QThread::msleep(100);
    }
    std::printf("reads %d\n", reads);
    return 0;
}

int hold(const QString& name)
{
    UserSession session;
    if (told(session.loadUserList()) || told(session.changeUser(session.users().indexOfName(name))))
        return 1;
    std::printf("holding\n");
    std::fflush(stdout);
    QThread::sleep(3600);
    return 0;
}

int mark(const QString& name, int entry)
{
    UserSession session;
    if (told(session.loadUserList()) || told(session.changeUser(session.users().indexOfName(name))))
        return 1;
    told(session.markDone(entry, ExerciseKind::LessonListening, {}));
    told(session.close());
    return 0;
}

int run(const QStringList& args)
{
    const QString role = args.value(1);
    if (role == QLatin1String("add"))
        return addAll(args.mid(3));
    if (role == QLatin1String("student") && args.size() == 4)
        return student(args[3]);
    if (role == QLatin1String("churn") && args.size() == 5)
        return churn(args[3], args[4].toInt());
    if (role == QLatin1String("console") && args.size() == 4)
        return console(args[3]);
    if (role == QLatin1String("hold") && args.size() == 4)
        return hold(args[3]);
    if (role == QLatin1String("mark") && args.size() == 5)
        return mark(args[3], args[4].toInt());
    std::fprintf(stderr, "usage: see the head of ClassDriver.cpp\n");
    return 2;
}
} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3 || !QDir::setCurrent(args[2]))
        return 2;
    VirtualSound::use();
    LockFile::setWaitObserver([](qint64 waitedMs, bool) { waits << waitedMs; });
    const int status = run(args);
    std::printf("waits");
    for (qint64 ms : waits)
        std::printf(" %lld", ms);
    std::printf("\n");
    return status != 0 ? status : faults > 0 ? 1 : 0;
}
