#include "Classroom.h"

#include "ClassPlan.h"
#include "sound/WaveHeader.h"
#include "users/ProgressFile.h"
#include "users/UserList.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSet>
#include <QtEndian>
#include <algorithm>

void Classroom::start(const QStringList& args, const QStringList& prefix)
{
    auto driver = std::make_unique<QProcess>();
    const QStringList command = prefix + QStringList{CLASS_DRIVER} + args;
    driver->setProgram(command.first());
    driver->setArguments(command.mid(1));
    driver->setObjectName(args.join(u' '));
    driver->start();
    drivers_.push_back(std::move(driver));
}

void Classroom::collect(QProcess& driver)
{
    const QList<QByteArray> lines = driver.readAllStandardOutput().split('\n');
    for (const QByteArray& line : lines) {
        const QList<QByteArray> words = line.split(' ');
        if (words.first() == "waits")
            for (const QByteArray& word : words.mid(1))
                waits_ << word.toLongLong();
        if (words.first() == "reads")
            reads_ += words.value(1).toInt();
    }
}

bool Classroom::finish(int timeoutMs)
{
    for (const auto& driver : drivers_) {
        const QString name = driver->objectName();
        if (!driver->waitForFinished(timeoutMs)) {
            failures_ << name + QStringLiteral(": did not end in time");
            driver->kill();
            driver->waitForFinished();
        } else if (driver->exitStatus() != QProcess::NormalExit || driver->exitCode() != 0) {
            failures_ << name + QStringLiteral(": ") +
                             QString::fromLocal8Bit(driver->readAllStandardError());
        }
        collect(*driver);
    }
    drivers_.clear();
    return failures_.isEmpty();
}

QString waitFigures(QList<qint64> waits)
{
    if (waits.isEmpty())
        return QStringLiteral("no waits");
    std::sort(waits.begin(), waits.end());
    return QStringLiteral("median %1 ms, largest %2 ms of %3 waits")
        .arg(waits.at(waits.size() / 2))
        .arg(waits.last())
        .arg(waits.size());
}

namespace {
QByteArray readBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// One record as the progress file's layout defines it.
QString recordFault(const QByteArray& record, bool done, qint32 result, const QByteArray& text)
{
    if (quint8(record[0]) != (done ? 1 : 0))
        return QStringLiteral("done byte %1").arg(quint8(record[0]));
    const qint32 stored = qFromLittleEndian<qint32>(record.constData() + 4);
    if (stored != result)
        return QStringLiteral("result %1").arg(stored);
    if (record.mid(8, 1 + text.size()) != char(text.size()) + text)
        return QStringLiteral("text \"%1\"")
            .arg(QString::fromLatin1(record.mid(9, quint8(record[8]))));
    return {};
}

QStringList studentFaults(const QString& course, const QString& name)
{
    const QString folder = QStringLiteral("Report/%1/").arg(name);
    const QByteArray bytes = readBytes(course + u'/' + folder + name + QStringLiteral(".rep"));
    if (bytes.size() != (1 + classplan::Entries) * ProgressRecord::Size)
        return {QStringLiteral("%1: progress file of %2 bytes").arg(name).arg(bytes.size())};
    if (bytes.mid(8, 28) != char(27) + ProgressSignature.toLatin1())
        return {name + QStringLiteral(": no signature")};
    QStringList faults;
    for (int entry = 1; entry <= classplan::Entries; ++entry) {
        const ExerciseKind kind = classplan::kindOf(entry);
        const QString recording = folder + name + QString::number(entry) + QStringLiteral(".wav");
        const bool kept = kind == ExerciseKind::Interpretation && !classplan::takenBack(entry);
        const qint32 result =
            kind == ExerciseKind::Questions ? classplan::Errors * 100 / classplan::Questions : 0;
        const QString fault =
            recordFault(bytes.mid(entry * ProgressRecord::Size, ProgressRecord::Size),
                        !classplan::takenBack(entry), classplan::takenBack(entry) ? 0 : result,
                        kept ? QDir::toNativeSeparators(recording).toLatin1() : QByteArray());
        if (!fault.isEmpty())
            faults << QStringLiteral("%1 entry %2: %3").arg(name).arg(entry).arg(fault);
        const auto wave = waveDataSize(course + u'/' + recording);
        if (kind == ExerciseKind::Interpretation && kept != (wave && wave->present > 0))
            faults << QStringLiteral("%1 entry %2: recording %3")
                          .arg(name)
                          .arg(entry)
                          .arg(kept ? "missing" : "left behind");
    }
    return faults;
}

// Locks, break locks and the temporary files of atomic writes.
QStringList leftovers(const QString& course)
{
    QStringList found;
    QDirIterator it(course, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString name = it.next().section(u'/', -1);
        if (name.endsWith(QLatin1String(".lock")) || name.endsWith(QLatin1String(".break")) ||
            name.contains(QLatin1String(".rep.")) || name.startsWith(QLatin1String("Users.eng.")))
            found << QStringLiteral("left behind: ") + it.filePath();
    }
    return found;
}
} // namespace

QStringList checkCourse(const QString& course, const QStringList& students,
                        const QStringList& churnPrefixes, int churnRounds)
{
    QStringList faults;
    const UserListLoad list = LoadUserList(course + QStringLiteral("/Users.eng"));
    if (list.error || !list.warnings.isEmpty() || !list.table.tail().isEmpty())
        faults << QStringLiteral("the user list does not read as valid");
    QSet<QString> listed;
    for (int i = 0; i < list.table.count(); ++i)
        listed << list.table.at(i).name();
    QSet<QString> expected(students.begin(), students.end());
    for (const QString& prefix : churnPrefixes)
        for (int round = 0; round < churnRounds; ++round) {
            const QString name = prefix + QString::number(round);
            const bool deleted = round % 2 == 0 && round + 1 < churnRounds;
            if (!deleted)
                expected << name;
            const QDir folder(course + QStringLiteral("/Report/") + name);
            if (deleted && folder.exists())
                faults << name + QStringLiteral(": deleted, but its folder is there with ") +
                              folder
                                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)
                                  .join(u' ');
        }
    for (const QString& name : expected - listed)
        faults << name + QStringLiteral(": missing from the list");
    for (const QString& name : listed - expected)
        faults << name + QStringLiteral(": in the list, but deleted or never made");
    for (const QString& name : students)
        faults << studentFaults(course, name);
    return faults + leftovers(course);
}
