#include "app/CourseCheck.h"

#include "align/AlignText.h"
#include "align/PauseCheck.h"
#include "app/Catalogue.h"
#include "app/RtfReader.h"
#include "common/CodePage.h"
#include "common/LineFile.h"
#include "common/Paths.h"
#include "drills/Lexicon.h"
#include "drills/Questions.h"
#include "drills/Statements.h"
#include "listening/Lesson.h"
#include "sound/SoundEngine.h"
#include "sound/SoundFile.h"
#include "sound/WaveHeader.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QSet>
#include <QTextDocument>
#include <algorithm>
#include <optional>
#include <variant>

namespace {

// A timing line as read, with its line number in the timing file.
struct TimedLine {
    int line = 0;
    Segment segment;
};

// The decoders turn a byte the code page leaves undefined into a control
// character, and a file saved as UTF-8 may hold letters the code page lacks:
// neither shows as text.
bool outsideCodePage(QChar c, CodePage page)
{
    if (c == u'\t')
        return false;
    return c.category() == QChar::Other_Control || c == QChar::ReplacementCharacter ||
           !encode(page, QString(c));
}

const QString CrOnlyLineEndsText =
    QStringLiteral("строки кончаются одним символом CR (так сохраняют старые редакторы Mac), "
                   "а в файлах курса они кончаются парой CR LF");

QString cutRecordingText(const SoundFileInfo& info, const WaveDataSize& data)
{
    if (data.present == 0)
        return QStringLiteral("запись обрезана: заголовок обещает звук, а в файле его нет");
    return QStringLiteral("запись обрезана: в файле %1 мс звука, а в заголовке указано %2 мс")
        .arg(info.lengthMs())
        .arg(info.lengthMs() * data.declared / data.present);
}

QString quoted(const QString& name)
{
    return QStringLiteral("«%1»").arg(name);
}

class CourseChecker {
public:
    explicit CourseChecker(const QString& folder) : folder_(folder) {}

    CourseCheckResult run()
    {
        for (QChar mode : {u'A', u'B', u'C', u'D'})
            checkCatalogue(catalogueFileName(mode));
        result_.files = int(filesSeen_.size());
        return result_;
    }

private:
    QString path(const QString& name) const { return QDir(folder_).filePath(coursePath(name)); }
    QString dataPath(const QString& name) const { return path(CourseDataFolder + name); }
    QString relative(const QString& file) const { return QDir(folder_).relativeFilePath(file); }

    void report(const CourseError& problem)
    {
        const CourseError relativeProblem{relative(problem.file), problem.line, problem.what};
        const QString key = problemLine(relativeProblem, folder_);
        if (reported_.contains(key))
            return;
        reported_.insert(key);
        result_.problems.append(relativeProblem);
    }

    // A fault the readers do not tie to a line (a missing file, an empty one)
    // is shown at the first catalogue line that names the file: the file is
    // what the author mends, so the fault is told once.
    void report(const CourseError& problem, const CourseError& at)
    {
        if (problem.line > 0) {
            report(problem);
            return;
        }
        const QString fault = relative(problem.file) + u'\n' + problem.what;
        if (!wholeFileFaults_.contains(fault)) {
            wholeFileFaults_.insert(fault);
            report(CourseError{
                at.file, at.line,
                QStringLiteral("%1: %2").arg(quoted(relative(problem.file)), problem.what)});
        }
    }

    void checkCatalogue(const QString& name)
    {
        const QString file = path(name);
        auto read = checkedLines(file, CodePage::Cp1251);
        if (auto* error = std::get_if<CourseError>(&read)) {
            report(*error);
            return;
        }
        const QStringList lines = std::get<QStringList>(read);
        for (int i = 0; i < lines.size(); ++i) {
            ++result_.entries;
            auto parsed = parseCatalogueLine(lines[i]);
            const CourseError at{file, i + 1, {}};
            if (auto* what = std::get_if<QString>(&parsed))
                report(CourseError{file, i + 1, *what});
            else
                checkEntry(std::get<CatalogueEntry>(parsed), at);
        }
    }

    void checkEntry(const CatalogueEntry& entry, const CourseError& at)
    {
        checkDescription(entry, at);
        const DrillFiles files{dataPath(entry.TextFile), dataPath(entry.TransFile),
                               entry.TimingFile.isEmpty() ? QString() : dataPath(entry.TimingFile),
                               entry.SoundFile.isEmpty() ? QString() : dataPath(entry.SoundFile)};
        switch (kindTraits(entry.exerciseKind()).window) {
        case ExerciseWindow::LexiconPreview:
        case ExerciseWindow::Lexicon:
            checkLexicon(files, at);
            break;
        case ExerciseWindow::QuestionPreview:
            checkQuestions(files, false, at);
            break;
        case ExerciseWindow::Questions:
            checkQuestions(files, true, at);
            break;
        case ExerciseWindow::TrueFalse:
            checkStatements(files, at);
            break;
        case ExerciseWindow::LessonListening:
        case ExerciseWindow::Trainer:
            checkLesson(files, dataPath(entry.PictureFile), at);
            break;
        case ExerciseWindow::None:
            break;
        }
    }

    void checkDescription(const CatalogueEntry& entry, const CourseError& at)
    {
        const DescriptionKind kind = entry.descriptionKind();
        if (kind != DescriptionKind::RichText && kind != DescriptionKind::Picture)
            return;
        if (entry.InfoFile.isEmpty()) {
            report(CourseError{at.file, at.line, QStringLiteral("не указан файл описания")});
            return;
        }
        const QString file = dataPath(entry.InfoFile);
        if (kind == DescriptionKind::Picture)
            checkPicture(file, at);
        else
            checkRichText(file, at);
    }

    void checkRichText(const QString& file, const CourseError& at)
    {
        filesSeen_.insert(file);
        QFile description(file);
        if (!description.open(QIODevice::ReadOnly)) {
            report(CourseError{file, 0, QStringLiteral("файл не найден или не читается")}, at);
            return;
        }
        QTextDocument document;
        readDescription(description.readAll(), &document);
        const QString text = document.toPlainText();
        if (text.trimmed().isEmpty())
            report(CourseError{file, 0, QStringLiteral("описание не читается: в нем нет текста")},
                   at);
        else if (text.contains(QChar::ReplacementCharacter))
            report(
                CourseError{file, 0, QStringLiteral("в описании есть символ вне кодовой страницы")},
                at);
    }

    void checkPicture(const QString& file, const CourseError& at)
    {
        filesSeen_.insert(file);
        QImageReader reader(file);
        if (reader.read().isNull())
            report(
                CourseError{file, 0,
                            QStringLiteral("рисунок не читается (%1)").arg(reader.errorString())},
                at);
    }

    // Every line is looked at, not only up to the first fault as the readers do.
    void checkCodePage(const QString& file, const QStringList& lines, CodePage page)
    {
        for (int i = 0; i < lines.size(); ++i) {
            const auto outside = std::find_if(lines[i].begin(), lines[i].end(),
                                              [page](QChar c) { return outsideCodePage(c, page); });
            if (outside != lines[i].end())
                report(CourseError{file, i + 1,
                                   QStringLiteral("символ U+%1 вне кодовой страницы %2")
                                       .arg(outside->unicode(), 4, 16, QLatin1Char('0'))
                                       .arg(page == CodePage::Cp1250 ? 1250 : 1251)});
        }
    }

    // The lines of a course text file, its line ends and characters checked.
    std::variant<QStringList, CourseError> checkedLines(const QString& file, CodePage page)
    {
        filesSeen_.insert(file);
        auto read = readCourseText(file, page);
        if (auto* error = std::get_if<CourseError>(&read))
            return *error;
        const QString& text = std::get<QString>(read);
        if (hasOnlyCrLineEnds(text))
            report(CourseError{file, 0, CrOnlyLineEndsText});
        const QStringList lines = splitCourseLines(text);
        checkCodePage(file, lines, page);
        return lines;
    }

    // The lines of a text file for the checks of their own; a fault in reading
    // was already told by the exercise's reader.
    QStringList textLines(const QString& file, CodePage page)
    {
        auto read = checkedLines(file, page);
        auto* lines = std::get_if<QStringList>(&read);
        return lines ? *lines : QStringList();
    }

    std::optional<qint64> recordingLength(const QString& sound, const CourseError& at)
    {
        if (sound.isEmpty())
            return std::nullopt;
        filesSeen_.insert(sound);
        const std::optional<SoundFileInfo> info = probeSoundFile(sound);
        if (!info) {
            // Without the sound module no recording reads: that is the fault to tell.
            const QString problem = soundModuleProblem();
            report(CourseError{sound, 0,
                               problem.isEmpty()
                                   ? QStringLiteral("запись не найдена или не читается")
                                   : problem},
                   at);
            return std::nullopt;
        }
        // Every timing past the cut would be told on its own, for a fault of
        // the recording's: the recording is told once instead.
        const std::optional<WaveDataSize> data = waveDataSize(sound);
        if (data && data->cut()) {
            report(CourseError{sound, 0, cutRecordingText(*info, *data)}, at);
            return std::nullopt;
        }
        return info->lengthMs();
    }

    void checkLineCount(const QString& file, qsizetype have, qsizetype want, const QString& of)
    {
        if (have < want)
            report(
                CourseError{file, int(have) + 1,
                            QStringLiteral("нет строки для строки %1 %2").arg(have + 1).arg(of)});
        else if (have > want)
            report(CourseError{file, int(want) + 1,
                               QStringLiteral("лишняя строка: в %1 строк %2").arg(of).arg(want)});
    }

    // A boundary between sentences in the middle of speech is a warning, one
    // line per timing file: the author listens there, but the file works.
    void warnBoundariesInSpeech(const QString& file, const QString& sound,
                                const QList<TimedSentenceLine>& lines)
    {
        if (sound.isEmpty() || lines.isEmpty() || warned_.contains(file) || !QFile::exists(sound))
            return;
        warned_.insert(file);
        const std::optional<QList<int>> doubtful = boundariesInSpeech(sound, lines);
        if (!doubtful || doubtful->isEmpty())
            return;
        QStringList numbers;
        for (int number : *doubtful)
            numbers.append(QString::number(number));
        result_.warnings.append(CourseError{
            file, 0,
            QStringLiteral("внимание: граница между предложениями приходится на речь, рядом "
                           "нет паузы (строки: %1)")
                .arg(numbers.join(QStringLiteral(", ")))});
    }

    // Each piece must lie inside the recording and start where the one before
    // it has ended, or later.
    void checkTimings(const QString& file, const QList<TimedLine>& lines,
                      std::optional<qint64> length)
    {
        const TimedLine* previous = nullptr;
        for (const TimedLine& timed : lines) {
            const Segment& s = timed.segment;
            const auto at = [&](const QString& what) {
                report(CourseError{file, timed.line, what});
            };
            if (s.start < 0 || s.start > s.end)
                at(QStringLiteral("начало %1 мс позже конца %2 мс").arg(s.start).arg(s.end));
            else if (length && s.end > *length)
                at(QStringLiteral("конец %1 мс дальше конца записи (%2 мс)")
                       .arg(s.end)
                       .arg(*length));
            if (previous && s.start < previous->segment.start)
                at(QStringLiteral("строки не по порядку: начало раньше, чем в строке %1")
                       .arg(previous->line));
            else if (previous && s.start < previous->segment.end)
                at(QStringLiteral("отрезок заходит на отрезок строки %1").arg(previous->line));
            previous = &timed;
        }
    }

    template <typename Item>
    void checkDrill(const DrillLoad<Item>& load, const DrillFiles& files, const CourseError& at)
    {
        if (load.error)
            report(*load.error, at);
        if (files.timing.isEmpty())
            return;
        filesSeen_.insert(files.timing);
        const DrillTiming timing = readDrillTiming(files.timing);
        QList<TimedLine> lines;
        for (int i = 0; i < timing.segments.size(); ++i)
            lines.append(TimedLine{i + 1, timing.segments[i]});
        checkTimings(files.timing, lines, recordingLength(files.sound, at));
        QList<TimedSentenceLine> sentences;
        for (const TimedLine& timed : lines)
            sentences.append({timed.line, timed.segment.start, timed.segment.end, true, true});
        warnBoundariesInSpeech(files.timing, files.sound, sentences);
        if (!load.error)
            checkLineCount(files.timing, timing.segments.size(), load.items.size(),
                           QStringLiteral("текста"));
    }

    void checkLexicon(const DrillFiles& files, const CourseError& at)
    {
        const QStringList text = textLines(files.text, CodePage::Cp1250);
        const QStringList trans = textLines(files.trans, CodePage::Cp1251);
        const DrillLoad<LexiconItem> load = loadLexicon(files);
        checkDrill(load, files, at);
        if (!load.error)
            checkLineCount(files.trans, trans.size(), text.size(), QStringLiteral("выражений"));
    }

    void checkQuestions(const DrillFiles& files, bool withAnswers, const CourseError& at)
    {
        textLines(files.text, CodePage::Cp1250);
        if (withAnswers)
            textLines(files.trans, CodePage::Cp1250);
        checkDrill(loadQuestions(files, withAnswers), files, at);
    }

    void checkStatements(const DrillFiles& files, const CourseError& at)
    {
        textLines(files.text, CodePage::Cp1250);
        checkDrill(loadStatements(files), files, at);
    }

    void checkLesson(const DrillFiles& files, const QString& pictureList, const CourseError& at)
    {
        const Lesson lesson = loadLesson({files.text, files.trans, files.timing, pictureList, {}});
        for (const CourseError& error : lesson.errors)
            report(error, at);
        textLines(files.text, CodePage::Cp1250);
        textLines(files.trans, CodePage::Cp1251);
        textLines(pictureList, CodePage::Cp1251);
        textLines(commentFileName(files.text), CodePage::Cp1251);
        if (!lesson.text.isEmpty() && !lesson.trans.isEmpty())
            checkLineCount(files.trans, lesson.trans.size(), lesson.count(),
                           QStringLiteral("текста урока"));
        checkLessonTiming(lesson, files, at);
        for (int k = 1; k < lesson.pictures.size(); ++k)
            if (!lesson.pictures[k].name.isEmpty())
                checkPicture(dataPath(lesson.pictures[k].name), CourseError{pictureList, k, {}});
        for (int i = 0; i < lesson.comments.size(); ++i)
            if (lesson.comments[i].number < 1 || lesson.comments[i].number > lesson.count())
                report(CourseError{
                    commentFileName(files.text), i + 1,
                    QStringLiteral("в тексте урока нет строки %1").arg(lesson.comments[i].number)});
    }

    void checkLessonTiming(const Lesson& lesson, const DrillFiles& files, const CourseError& at)
    {
        QList<TimedLine> lines;
        for (int k = 1; k < lesson.timing.size(); ++k)
            if (!lesson.timing[k].isHeading())
                lines.append(TimedLine{k, {lesson.timing[k].begin, lesson.timing[k].end}});
        checkTimings(files.timing, lines, recordingLength(files.sound, at));
        QList<TimedSentenceLine> sentences;
        bool afterSentence = true;
        for (const TimedLine& timed : lines) {
            const bool ends = endsSentence(lesson.text.value(timed.line - 1));
            sentences.append(
                {timed.line, timed.segment.start, timed.segment.end, afterSentence, ends});
            afterSentence = ends;
        }
        warnBoundariesInSpeech(files.timing, files.sound, sentences);
        const QStringList timing = textLines(files.timing, CodePage::Cp1251);
        if (QFile::exists(files.timing) && timing.size() < lesson.count())
            checkLineCount(files.timing, timing.size(), lesson.count(),
                           QStringLiteral("текста урока"));
    }

    QString folder_;
    CourseCheckResult result_;
    QSet<QString> reported_;
    QSet<QString> warned_;
    QSet<QString> wholeFileFaults_;
    QSet<QString> filesSeen_;
};

} // namespace

CourseCheckResult checkCourse(const QString& folder)
{
    return CourseChecker(folder).run();
}

QString problemLine(const CourseError& problem, const QString& folder)
{
    const QString file = QDir::toNativeSeparators(QDir(folder).relativeFilePath(problem.file));
    if (problem.line > 0)
        return QStringLiteral("%1:%2: %3").arg(file).arg(problem.line).arg(problem.what);
    return QStringLiteral("%1: %2").arg(file, problem.what);
}

QString checkSummary(const CourseCheckResult& result)
{
    const QString looked = QStringLiteral("Проверено строк каталогов: %1, файлов: %2. ")
                               .arg(result.entries)
                               .arg(result.files);
    if (result.problems.isEmpty())
        return looked + QStringLiteral("Ошибок нет.");
    return looked + QStringLiteral("Найдено ошибок: %1.").arg(result.problems.size());
}
