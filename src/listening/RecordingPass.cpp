#include "listening/RecordingPass.h"

#include "common/AtomicFile.h"
#include "common/CourseError.h"
#include "common/FileProblems.h"
#include "listening/Lesson.h"
#include "sound/SoundFile.h"

#include <QFile>
#include <QFileInfo>

namespace {
// Only what a pass itself made: never a link's target, a folder or a pipe.
void removeRegularFile(const QString& path)
{
    const QFileInfo info(path);
    if (info.isFile() && !info.isSymLink())
        QFile::remove(path);
}
} // namespace

QString passRecordingName(const QString& recording)
{
    const QString wav = QStringLiteral(".wav");
    const bool named = recording.endsWith(wav, Qt::CaseInsensitive);
    return (named ? recording.chopped(wav.size()) : recording) + QStringLiteral(".pass.wav");
}

QString startPassFile(const QString& templatePath, const QString& recording)
{
    dropPassFiles(recording);
    // Opening a pipe would wait for a writer for good.
    if (isSpecialFile(templatePath))
        return CourseError{templatePath, 0, SpecialFileText}.userText();
    QFile source(templatePath);
    if (!probeSoundFile(templatePath) || !source.open(QIODevice::ReadOnly))
        return CourseError{templatePath, 0, UnreadableFileText}.userText();
    if (const auto fault = writeFileAtomically(passRecordingName(recording), source.readAll()))
        return fault->userText();
    return {};
}

void dropPassFiles(const QString& recording)
{
    const QString pass = passRecordingName(recording);
    removeRegularFile(pass);
    removeRegularFile(studentTimingName(pass));
}

void dropStaleTiming(const QString& recording)
{
    removeRegularFile(studentTimingName(recording));
}

QString previousRecordingText(const QString& recording)
{
    if (QFileInfo::exists(recording))
        return QStringLiteral("Прежняя запись сохранена без изменений.");
    return QStringLiteral("Запись не сохранена.");
}
