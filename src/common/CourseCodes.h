#pragma once

#include <QString>
#include <QtGlobal>
#include <array>
#include <span>
#include <string_view>

// The numbers a catalogue line stores, named. The course files keep the
// numbers; the program speaks of the names.

// What an entry's node runs. A catalogue may hold any byte here: the codes
// without a row in the kinds table (9, 10 and above LastExerciseKind) launch
// nothing.
enum class ExerciseKind : quint8 {
    Heading = 0,
    LexiconPreview = 1,
    Lexicon = 2,
    QuestionPreview = 3,
    Interpretation = 4,
    LessonListening = 5,
    Questions = 6,
    TrueFalse = 7,
    InterpretationListening = 8,
    TrainerListening = 11,
    TrainerWithWait = 12,
    TrainerRecording = 13,
    TrainerWithTranslation = 14,
    TrainerWithText = 15,
};
inline constexpr ExerciseKind LastExerciseKind = ExerciseKind::TrainerWithText;

// What the description pane shows for an entry; other codes show nothing.
enum class DescriptionKind : quint8 {
    RichText = 0,
    Picture = 1,
};

// The window a kind opens. The files the course check reads for an entry
// follow from it.
enum class ExerciseWindow : quint8 {
    None, // a heading, or a code that launches nothing
    LexiconPreview,
    Lexicon,
    QuestionPreview,
    Questions,
    TrueFalse,
    LessonListening,
    Trainer, // the interpretation trainer
};

// What a done run leaves in the progress record besides the mark.
enum class RunResult : quint8 {
    None,
    ErrorPercent, // judged by its errors: the share of wrong answers
    Grade,        // judged by its errors: the grade on the five-point scale
};

// What the interpretation trainer allows besides listening.
struct TrainerTraits {
    bool textAllowed = false;
    bool transAllowed = false;
    bool waitAllowed = false;
    // The text is allowed in the easier work modes only, whatever textAllowed says.
    bool textByMode = false;
    int helpTopic = 0;
};

// Everything the program does differently by kind.
struct KindTraits {
    ExerciseKind kind = ExerciseKind::Heading;
    ExerciseWindow window = ExerciseWindow::None;
    // Marked done, the progress record keeps the run's recording name, also
    // for a kind whose window records nothing.
    bool storesRecordingName = false;
    // The window records the student's voice: the recording can be played
    // and taken back, and the lesson listening after it analyses it.
    bool recordsVoice = false;
    // The sound card must play and record at once, and the disk hold the
    // recording, before the window opens.
    bool checksBeforeRecording = false;
    RunResult result = RunResult::None;
    TrainerTraits trainer = {};
    // The completion dialog's text; the kinds judged by their errors have
    // theirs from the counts.
    std::u16string_view outcome = {};
    // Lesson listening analyses the recording of the exercise before it and
    // then says so: the text in that case; empty for the kinds that do not.
    std::u16string_view outcomeAnalysed = {};
};

// One row per named kind but the heading; a new kind is a new row.
inline constexpr std::array ExerciseKinds{
    KindTraits{.kind = ExerciseKind::LexiconPreview,
               .window = ExerciseWindow::LexiconPreview,
               .outcome = u"Вы просмотрели лексику урока."},
    KindTraits{.kind = ExerciseKind::Lexicon,
               .window = ExerciseWindow::Lexicon,
               .outcome = u"Вы успешно выполнили упражнение."},
    KindTraits{.kind = ExerciseKind::QuestionPreview,
               .window = ExerciseWindow::QuestionPreview,
               .outcome = u"Вы просмотрели вопросы к тексту."},
    KindTraits{.kind = ExerciseKind::Interpretation,
               .window = ExerciseWindow::Trainer,
               .storesRecordingName = true,
               .recordsVoice = true,
               .checksBeforeRecording = true,
               .trainer = {.textByMode = true},
               .outcome = u"Вы перевели текст."},
    KindTraits{.kind = ExerciseKind::LessonListening,
               .window = ExerciseWindow::LessonListening,
               .outcome = u"Вы прослушали текст урока.",
               .outcomeAnalysed = u"Вы анализировали свой перевод"},
    KindTraits{.kind = ExerciseKind::Questions,
               .window = ExerciseWindow::Questions,
               .result = RunResult::ErrorPercent},
    KindTraits{.kind = ExerciseKind::TrueFalse,
               .window = ExerciseWindow::TrueFalse,
               .result = RunResult::Grade},
    // The interpretation trainer as a plain listening exercise.
    KindTraits{.kind = ExerciseKind::InterpretationListening,
               .window = ExerciseWindow::Trainer,
               .storesRecordingName = true,
               .trainer = {.textByMode = true},
               .outcome = u"Вы прослушали текст урока."},
    KindTraits{.kind = ExerciseKind::TrainerListening,
               .window = ExerciseWindow::Trainer,
               .storesRecordingName = true,
               .trainer = {.helpTopic = 110},
               .outcome = u"Вы прослушали текст урока."},
    KindTraits{.kind = ExerciseKind::TrainerWithWait,
               .window = ExerciseWindow::Trainer,
               .storesRecordingName = true,
               .recordsVoice = true,
               .trainer = {.waitAllowed = true, .helpTopic = 140},
               .outcome = u"Вы прослушали текст урока."},
    KindTraits{.kind = ExerciseKind::TrainerRecording,
               .window = ExerciseWindow::Trainer,
               .storesRecordingName = true,
               .recordsVoice = true,
               .trainer = {.helpTopic = 150},
               .outcome = u"Вы прослушали текст урока."},
    KindTraits{.kind = ExerciseKind::TrainerWithTranslation,
               .window = ExerciseWindow::Trainer,
               .storesRecordingName = true,
               .recordsVoice = true,
               .trainer = {.transAllowed = true, .helpTopic = 160},
               .outcome = u"Вы прослушали текст урока."},
    KindTraits{.kind = ExerciseKind::TrainerWithText,
               .window = ExerciseWindow::Trainer,
               .storesRecordingName = true,
               .recordsVoice = true,
               .trainer = {.textAllowed = true, .helpTopic = 170},
               .outcome = u"Вы прослушали текст урока."},
};

// The table the program reads: ExerciseKinds, unless a test has lent another
// (KindTableForTest).
std::span<const KindTraits> kindTable();

// The row of a kind; a heading and the codes without a row get one that
// launches nothing.
const KindTraits& kindTraits(ExerciseKind kind);

// Lends the program another kinds table while it lives, so that a test can
// show what a new row alone does.
class KindTableForTest {
public:
    explicit KindTableForTest(std::span<const KindTraits> table);
    ~KindTableForTest();
    KindTableForTest(const KindTableForTest&) = delete;
    KindTableForTest& operator=(const KindTableForTest&) = delete;

private:
    std::span<const KindTraits> previous_;
};

inline bool launchesExercise(ExerciseKind kind)
{
    return kindTraits(kind).window != ExerciseWindow::None;
}

inline bool storesRecordingName(ExerciseKind kind)
{
    return kindTraits(kind).storesRecordingName;
}

inline bool recordsVoice(ExerciseKind kind)
{
    return kindTraits(kind).recordsVoice;
}

// The question kinds: judged by their errors, their record keeps a result.
inline bool countsErrors(ExerciseKind kind)
{
    return kindTraits(kind).result != RunResult::None;
}

// The kinds that run on a lesson: its recording, text, translation and timing.
inline bool playsLesson(ExerciseKind kind)
{
    const ExerciseWindow window = kindTraits(kind).window;
    return window == ExerciseWindow::LessonListening || window == ExerciseWindow::Trainer;
}

// Lesson listening: it follows the recording of the exercise before it.
inline bool analysesRecording(ExerciseKind kind)
{
    return !kindTraits(kind).outcomeAnalysed.empty();
}

// A text of the table as the windows show it.
inline QString kindText(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}
