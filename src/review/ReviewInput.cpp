#include "review/ReviewInput.h"

#include "common/LineFile.h"
#include "common/Paths.h"
#include "common/TimingLine.h"
#include "sound/SoundEngine.h"

#include <QFileInfo>

namespace {
QStringList readLines(const QString& path, CodePage page, QList<CourseError>& problems)
{
    auto read = readCourseLines(path, page);
    if (auto* error = std::get_if<CourseError>(&read)) {
        problems.append(*error);
        return {};
    }
    return std::get<QStringList>(read);
}

// Line i of a timing file into entry i + 1 (from 1, as the text's lines); a
// heading, a line that is not two numbers, or a missing line leaves nothing.
QList<std::optional<Turn>> readTurns(const QString& path, int textLines,
                                     QList<CourseError>& problems)
{
    const QStringList lines = readLines(path, CodePage::Cp1251, problems);
    QList<std::optional<Turn>> turns(textLines + 1);
    if (lines.isEmpty())
        return turns;
    if (lines.size() != textLines)
        problems.append({path, 0,
                         QStringLiteral("в нем %1 строк, а в тексте урока %2: "
                                        "синтагмы без строки не показаны")
                             .arg(lines.size())
                             .arg(textLines)});
    for (int i = 0; i < std::min<int>(lines.size(), textLines); ++i) {
        if (lines[i].startsWith(u'#'))
            continue;
        const std::optional<Segment> s = parseTimingLine(lines[i]);
        if (s && s->start >= 0 && s->start <= s->end)
            turns[i + 1] = Turn{s->start, s->end};
        else
            problems.append({path, i + 1, QStringLiteral("строка не вида «начало, TAB, конец»")});
    }
    return turns;
}

std::optional<MonoSound> readSound(const QString& path, QList<CourseError>& problems)
{
    std::optional<MonoSound> sound = readMonoSound(path);
    if (sound)
        return sound;
    // Without the sound module no sound file reads: that is the reason to tell.
    const QString noModule = soundModuleProblem();
    problems.append({path, 0,
                     noModule.isEmpty() ? QStringLiteral("звуковой файл не найден или не читается")
                                        : noModule});
    return sound;
}

void checkTemplateFormat(const QString& recording, const MonoSound& sound,
                         QList<CourseError>& problems)
{
    const std::optional<SoundFileInfo> form = probeSoundFile(coursePath(RecordingTemplateFile));
    if (form && (form->sampleRate != sound.info.sampleRate ||
                 form->channels != sound.info.channels || form->format != sound.info.format))
        problems.append({recording, 0,
                         QStringLiteral("запись не того формата, что шаблон записи "
                                        "\"%1\": она не сделана программой")
                             .arg(RecordingTemplateFile)});
}

// The stretch of the lesson the pass covers: the first syntagm's begin to
// the last one's end.
qint32 lessonSpan(const QList<ReviewSyntagm>& syntagms)
{
    return syntagms.isEmpty() ? 0 : syntagms.last().lesson.end - syntagms.first().lesson.begin;
}

// The syntagms with both their stretches; the recording's turns follow the
// student timing file when the pass kept one, else the lesson's timing.
QList<ReviewSyntagm> pairSyntagms(const QStringList& text, const QList<std::optional<Turn>>& lesson,
                                  const QList<std::optional<Turn>>* student)
{
    QList<ReviewSyntagm> syntagms;
    for (int line = 1; line <= text.size(); ++line) {
        const std::optional<Turn>& own = student ? (*student)[line] : lesson[line];
        if (lesson[line] && own)
            syntagms.append({line, text[line - 1], *lesson[line], *own});
    }
    return syntagms;
}

void checkRecordingLength(const QString& path, const MonoSound& sound,
                          QList<ReviewSyntagm>& syntagms, QList<CourseError>& problems)
{
    const qint64 length = sound.info.lengthMs();
    if (syntagms.isEmpty() || syntagms.last().student.end <= length)
        return;
    problems.append(
        {path, 0,
         QStringLiteral("запись короче, чем говорит разметка: %1 вместо %2; "
                        "синтагмы после её конца не показаны")
             .arg(secondsText(qint32(length)), secondsText(syntagms.last().student.end))});
    syntagms.removeIf([length](const ReviewSyntagm& s) { return s.student.begin >= length; });
}
} // namespace

ReviewMaterial loadReview(const ReviewRequest& request)
{
    ReviewMaterial m;
    const QStringList text = readLines(request.text, CodePage::Cp1250, m.problems);
    const auto lesson = readTurns(request.lessonTiming, int(text.size()), m.problems);
    const bool waits = request.kind == ExerciseKind::TrainerWithWait;
    QList<std::optional<Turn>> student;
    if (waits && !request.studentTiming.isEmpty())
        student = readTurns(request.studentTiming, int(text.size()), m.problems);
    else if (waits)
        m.problems.append({request.recording, 0,
                           QStringLiteral("у записи нет файла разметки ученика: синтагмы "
                                          "показаны по разметке урока")});
    m.syntagms = pairSyntagms(text, lesson, student.isEmpty() ? nullptr : &student);
    m.lessonSound = readSound(request.lessonSound, m.problems);
    m.recording = readSound(request.recording, m.problems);
    QList<Turn> turns;
    if (m.recording) {
        checkTemplateFormat(request.recording, *m.recording, m.problems);
        checkRecordingLength(request.recording, *m.recording, m.syntagms, m.problems);
        m.speech = detectSpeech(m.recording->samples, m.recording->info.sampleRate);
        for (const ReviewSyntagm& s : m.syntagms)
            turns.append(s.student);
    }
    m.figures = passFigures(m.speech, turns, lessonSpan(m.syntagms));
    return m;
}

PassRecord passRecordOf(const ReviewRequest& request, const PassFigures& figures)
{
    PassRecord record = passRecord(figures);
    record.when = QDateTime::currentDateTime();
    record.exercise = request.exercise;
    record.recording = request.recording;
    record.recordingStamp = QFileInfo(request.recording).lastModified().toMSecsSinceEpoch();
    return record;
}

std::optional<CourseError> keepPass(const ReviewRequest& request, const PassFigures& figures)
{
    if (request.historyFile.isEmpty() || !request.keepsPass)
        return std::nullopt;
    const PassRecord record = passRecordOf(request, figures);
    for (const PassRecord& old : readPassHistory(request.historyFile).records)
        if (old.recording == record.recording && old.recordingStamp == record.recordingStamp)
            return std::nullopt;
    return appendPass(request.historyFile, record);
}
