#include "users/Completion.h"

#include "common/Paths.h"

#include <QFileInfo>
#include <QStorageInfo>

namespace {
// The folder may not exist yet; its nearest existing parent lies on the same
// file system.
QString nearestExistingFolder(const QString& file)
{
    QFileInfo folder(QFileInfo(coursePath(file)).absolutePath());
    while (!folder.exists() && !folder.isRoot())
        folder = QFileInfo(folder.absolutePath());
    return folder.absoluteFilePath();
}
} // namespace

JudgedText judgeQuestions(int errors, int questions)
{
    const QString count = QStringLiteral("Ошибок: %1.").arg(errors);
    // errors > questions * 30 / 100 in real numbers, kept exact in integers.
    if (qint64(errors) * 100 > qint64(questions) * 30)
        return {count + QStringLiteral(" Вы не в достаточной мере поняли содержание текста. "
                                       "Попробуйте прослушать текст еще раз."),
                false};
    return {count + QStringLiteral(" Рекомендуется отметить упражнение как выполненное"), true};
}

JudgedText judgeRun(ExerciseKind kind, int errors, int questions, const QString& previousRecording)
{
    if (countsErrors(kind))
        return judgeQuestions(errors, questions);
    return {outcomeText(kind, previousRecording), true};
}

qint32 errorPercent(int errors, int questions)
{
    if (questions <= 0)
        return 0;
    return qint32(qint64(errors) * 100 / questions);
}

qint32 trueFalseGrade(int errors, int statements)
{
    const qint64 right = qint64(statements) - errors;
    const qint64 all = statements;
    if (right * 100 >= all * 90)
        return 5;
    if (right * 100 >= all * 75)
        return 4;
    return 3;
}

QString outcomeText(ExerciseKind kind, const QString& previousRecording)
{
    const KindTraits& traits = kindTraits(kind);
    if (!previousRecording.isEmpty() && !traits.outcomeAnalysed.empty())
        return kindText(traits.outcomeAnalysed);
    return kindText(traits.outcome);
}

QString RecordingName(const UserRecord* namedUser, int entry)
{
    if (!namedUser)
        return QStringLiteral("AnonSnd.wav");
    return coursePath(namedUser->folder()) + namedUser->name() + QString::number(entry) +
           QStringLiteral(".wav");
}

QString previousRecordingName(const std::function<ExerciseKind(int entry)>& kindOf,
                              const ProgressTable* progress, int entry)
{
    if (!progress)
        return {};
    for (int i = entry - 1; i >= 1; --i) {
        const ExerciseKind kind = kindOf(i);
        if (kind == ExerciseKind::Heading)
            return {};
        if (recordsVoice(kind))
            return progress->isEntry(i) ? progress->record(i).text() : QString();
    }
    return {};
}

bool markProgress(ProgressRecord& record, ExerciseKind kind, const RunOutcome& outcome)
{
    ProgressRecord marked = record;
    if (storesRecordingName(kind) && !marked.setText(outcome.recordingName))
        return false;
    const RunResult result = kindTraits(kind).result;
    if (result == RunResult::ErrorPercent)
        marked.setResult(errorPercent(outcome.errors, outcome.questions));
    if (result == RunResult::Grade)
        marked.setResult(trueFalseGrade(outcome.errors, outcome.questions));
    marked.setDone(true);
    record = marked;
    return true;
}

bool recordingSpaceMissing(const QString& recordingName, const QString& soundFile)
{
    const QStorageInfo storage(nearestExistingFolder(recordingName));
    const qint64 needed = QFileInfo(coursePath(soundFile)).size(); // 0 when missing
    const qint64 free = storage.isValid() ? storage.bytesAvailable() : 0;
    return needed > free;
}
