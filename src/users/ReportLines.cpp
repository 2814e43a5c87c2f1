#include "users/ReportLines.h"

#include "common/Paths.h"
#include "users/UserFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace {
const QString ExerciseIndent = QStringLiteral(" ") + QStringLiteral("      ");

QString doneText(ExerciseKind kind, const ProgressRecord& record)
{
    if (!record.done())
        return QStringLiteral("Не выполнено");
    const RunResult result = kindTraits(kind).result;
    if (result == RunResult::ErrorPercent)
        return QStringLiteral("Выполнено, Ошибок - %1%").arg(record.result());
    if (result == RunResult::Grade)
        return QStringLiteral("Выполнено, Оценка - %1").arg(record.result());
    return QStringLiteral("Выполнено");
}

} // namespace

std::optional<QString> reportLine(const ReportEntry& entry, const ProgressRecord& record)
{
    if (entry.kind == ExerciseKind::Heading)
        return QStringLiteral("   Раздел: ") + entry.title;
    if (!launchesExercise(entry.kind))
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

TakeBack takeBackRecording(ProgressRecord& record, ExerciseKind kind, const UserRecord& user,
                           const UserTable& table)
{
    const QString path = record.text();
    if (!record.done() || !recordsVoice(kind) || path.isEmpty())
        return {};
    const QFileInfo file(coursePath(path));
    const bool gone = !file.exists() && !file.isSymLink();
    const std::optional<QString> problem =
        gone ? std::nullopt : takeBackOwnRecording(path, user, table);
    if (problem)
        return {false, QStringLiteral("Звуковой файл \"%1\" не удален: %2. Упражнение остается "
                                      "выполненным.")
                           .arg(path, *problem)};
    record.setDone(false);
    record.setText(QString());
    return {true, {}};
}
