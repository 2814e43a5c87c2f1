#include "users/ReportLines.h"

#include "common/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
const QString ExerciseIndent = QStringLiteral(" ") + QStringLiteral("      ");

QString doneText(int kind, const ProgressRecord& record)
{
    if (!record.done())
        return QStringLiteral("Не выполнено");
    if (kind == 6)
        return QStringLiteral("Выполнено, Ошибок - %1%").arg(record.result());
    if (kind == 7)
        return QStringLiteral("Выполнено, Оценка - %1").arg(record.result());
    return QStringLiteral("Выполнено");
}

bool namedByRecordingRule(const QString& fileName, const QString& userName)
{
    const QRegularExpression rule(
        QStringLiteral("^%1[1-9][0-9]*\\.wav$").arg(QRegularExpression::escape(userName)));
    return rule.match(fileName).hasMatch();
}

QString canonicalFolder(const QString& folder)
{
    return QFileInfo(coursePath(folder)).canonicalFilePath();
}

// "Ivan17.wav" may be Ivan's entry 17 or Ivan1's entry 7: a name another user
// of the same folder could own by the same rule is nobody's for sure.
bool ownedByAnother(const QString& fileName, const UserRecord& user, const UserTable& table)
{
    const QString folder = canonicalFolder(user.folder());
    for (int i = 0; i < table.count(); ++i) {
        const UserRecord& other = table.at(i);
        if (other.name() != user.name() && canonicalFolder(other.folder()) == folder &&
            namedByRecordingRule(fileName, other.name()))
            return true;
    }
    return false;
}

bool isPlainFile(const QFileInfo& info)
{
    return info.isFile() && !info.isSymLink();
}
} // namespace

std::optional<QString> reportLine(const ReportEntry& entry, const ProgressRecord& record)
{
    if (entry.kind == 0)
        return QStringLiteral("   Раздел: ") + entry.title;
    if (entry.kind == 9 || entry.kind == 10 || entry.kind > 15)
        return std::nullopt;
    return ExerciseIndent + entry.title + QStringLiteral(" - ") + doneText(entry.kind, record);
}

QList<ReportRow> reportRows(const QList<ReportEntry>& entries, const ProgressTable& progress)
{
    QList<ReportRow> rows;
    const int count = std::min(int(entries.size()), progress.count());
    for (int entry = 1; entry <= count; ++entry)
        if (auto line = reportLine(entries.at(entry - 1), progress.record(entry)))
            rows.append({entry, *line});
    return rows;
}

bool offersRecording(int kind)
{
    return kind == 4 || (kind >= 12 && kind <= 15);
}

TakeBack takeBackRecording(ProgressRecord& record, int kind, const UserRecord& user,
                           const UserTable& table)
{
    const QString path = record.text();
    if (!record.done() || !offersRecording(kind) || path.isEmpty())
        return {};
    const QFileInfo file(coursePath(path));
    const bool gone = !file.exists() && !file.isSymLink();
    if (!gone && !deleteUserRecording(path, user, table))
        return {false, QStringLiteral("Звуковой файл \"%1\" не удален: это не запись пользователя "
                                      "\"%2\" в его папке, или файл нельзя удалить. Упражнение "
                                      "остается выполненным.")
                           .arg(path, user.name())};
    record.setDone(false);
    record.setText(QString());
    return {true, {}};
}

bool deleteUserRecording(const QString& path, const UserRecord& user, const UserTable& table)
{
    const QFileInfo file(coursePath(path));
    if (!isPlainFile(file) || user.folder().isEmpty() ||
        file.canonicalPath() != canonicalFolder(user.folder()) ||
        !namedByRecordingRule(file.fileName(), user.name()) ||
        ownedByAnother(file.fileName(), user, table))
        return false;
    if (!QFile::remove(file.filePath()))
        return false;
    const QFileInfo timing(replaceLastThree(file.filePath(), QStringLiteral("txt")));
    if (isPlainFile(timing))
        QFile::remove(timing.filePath());
    return true;
}
