#include "app/Launch.h"

#include "app/ReviewLaunch.h"
#include "common/Paths.h"
#include "dialogs/DlgLexRepit.h"
#include "dialogs/DlgMessage.h"
#include "dialogs/DlgTestFullDulex.h"
#include "drills/DrillLaunch.h"
#include "listening/FormTransNoText.h"
#include "listening/FormWorkText.h"
#include "review/FormReview.h"
#include "users/FormPrepod.h"
#include "users/UserSession.h"

#include <QApplication>

#include <map>

namespace {
using DrillOperation = LaunchResult (*)(int x, int y, const CatalogueEntry& entry,
                                        DrillCounts* counts);

// The drill windows: each window joins the launch here.
const std::map<ExerciseWindow, DrillOperation> DrillWindows{
    {ExerciseWindow::LexiconPreview,
     [](int x, int y, const CatalogueEntry& e, DrillCounts*) {
         return ExecuteLexicDemo(x, y, e.TextFile, e.TransFile, e.TimingFile, e.SoundFile);
     }},
    {ExerciseWindow::Lexicon,
     [](int x, int y, const CatalogueEntry& e, DrillCounts*) {
         return ExecuteLexic(x, y, e.TextFile, e.TransFile, e.TimingFile, e.SoundFile);
     }},
    {ExerciseWindow::QuestionPreview,
     [](int x, int y, const CatalogueEntry& e, DrillCounts*) {
         return ExecuteQuestDemo(x, y, e.TextFile, e.TransFile, e.TimingFile, e.SoundFile);
     }},
    {ExerciseWindow::Questions,
     [](int x, int y, const CatalogueEntry& e, DrillCounts* counts) {
         return ExecuteQuestDown(x, y, e.TextFile, e.TransFile, e.TimingFile, e.SoundFile, counts);
     }},
    {ExerciseWindow::TrueFalse,
     [](int x, int y, const CatalogueEntry& e, DrillCounts* counts) {
         return ExecuteQuestTrFl(x, y, e.TextFile, e.TransFile, e.TimingFile, e.SoundFile, counts);
     }},
};

// Before the interpretation records: the sound card plays and records at once (the test
// shows its own dialog), and the recording's disk has room for the lesson.
bool recordingPossible(const QString& recording, const QString& soundFile)
{
    if (!TestFullDuplex())
        return false;
    if (!recordingSpaceMissing(recording, soundFile))
        return true;
    ShowDlgMessage(QStringLiteral("Упражнение не может быть выполнено. На диске нет места."),
                   QStringLiteral("Внимание"), MessageIcon::Warning);
    return false;
}

QString studentName(const UserSession& session)
{
    const UserRecord* user = session.currentUser();
    return user ? user->name() : QString();
}

// "Разбор перевода" after a pass: the review of the pass just made, over the
// trainer, with the student's history when the student has a name.
PassReviewOpener passReviewOf(const UserSession& session, int index, const LaunchPlace& place)
{
    const UserRecord* user = session.currentUser();
    const ReviewStudent student{user ? user->name() : QString(),
                                user ? user->progressFile() : QString(), true};
    const CatalogueEntry entry = courseCatalogues().entry(place.mode, index);
    return [entry, student, data = place.dataFolder](const PassReview& pass) {
        ReviewRequest request = reviewRequest(entry, data, pass.recording, student);
        request.recording = pass.recording;
        request.studentTiming = pass.studentTiming;
        showReview(request, &printWithMessages, QApplication::activeWindow());
    };
}

ExerciseLaunch trainerLaunch(const UserSession& session, int index, const CatalogueEntry& entry,
                             const LaunchPlace& place)
{
    const ExerciseKind kind = entry.exerciseKind();
    const QString recording = recordsVoice(kind) ? session.recordingName(index) : QString();
    if (kindTraits(kind).checksBeforeRecording && !recordingPossible(recording, entry.SoundFile))
        return {};
    const TrainerTraits flags = trainerTraits(kind, place.mode);
    const TransNoTextSettings settings{
        entry.SoundFile,
        recording,
        {entry.TextFile, entry.TransFile, entry.TimingFile, entry.PictureFile, {}},
        flags.textAllowed,
        flags.transAllowed,
        flags.waitAllowed,
        place.dataFolder,
        flags.helpTopic,
        studentName(session),
        kind,
        recordsVoice(kind) ? passReviewOf(session, index, place) : PassReviewOpener{}};
    return
        [room = place.room, settings](DrillCounts*) { return ExecuteTransNoText(room, settings); };
}

ExerciseLaunch drillLaunch(const CatalogueEntry& entry, const LaunchPlace& place)
{
    const auto window = DrillWindows.find(kindTraits(entry.exerciseKind()).window);
    if (window == DrillWindows.end())
        return {};
    const QPoint centre =
        place.room.topLeft() + QPoint(place.room.width() / 2, place.room.height() / 2);
    const DrillOperation operation = window->second;
    return [operation, entry, centre](DrillCounts* counts) {
        return operation(centre.x(), centre.y(), entry, counts);
    };
}

// Lesson listening analyses the student's recording of the interpretation
// before it, found once: a repeat keeps the same one.
QString recordingToAnalyse(const UserSession& session, ExerciseKind kind, QChar mode, int index)
{
    if (!analysesRecording(kind))
        return {};
    return session.previousRecordingName(
        [mode](int i) { return courseCatalogues().entry(mode, i).exerciseKind(); }, index);
}

// A finished pass of a recording kind goes into the student's history.
void keepFinishedPass(const UserSession& session, int index, const LaunchPlace& place)
{
    const UserRecord* user = session.currentUser();
    const CatalogueEntry& entry = courseCatalogues().entry(place.mode, index);
    if (!user || !recordsVoice(entry.exerciseKind()))
        return;
    const ReviewRequest request =
        reviewRequest(entry, place.dataFolder, session.recordingName(index),
                      {user->name(), user->progressFile(), true});
    if (const auto problem = keepFinishedPassOf(request))
        showFileProblems({problem->userText()}, FileFault::Warning);
}

void prepareCompletion(const UserSession& session, ExerciseKind kind, const DrillCounts& counts,
                       const QString& previousRecording)
{
    const bool named = session.currentUser() != nullptr;
    const JudgedText judged = judgeRun(kind, counts.errors, counts.questions, previousRecording);
    DlgLexRepit()->setOutcome(judged.text, named && judged.passed);
}
} // namespace

TrainerTraits trainerTraits(ExerciseKind kind, QChar mode)
{
    TrainerTraits flags = kindTraits(kind).trainer;
    if (flags.textByMode)
        flags.textAllowed = mode == u'C' || mode == u'D';
    return flags;
}

ExerciseLaunch exerciseLaunch(const UserSession& session, int index, const LaunchPlace& place,
                              const QString& recordingToFollow)
{
    const CatalogueEntry entry =
        prefixedEntry(courseCatalogues().entry(place.mode, index), place.dataFolder);
    switch (kindTraits(entry.exerciseKind()).window) {
    case ExerciseWindow::Trainer:
        return trainerLaunch(session, index, entry, place);
    case ExerciseWindow::LessonListening:
        return lessonListening(index, place, recordingToFollow, studentName(session));
    default:
        return drillLaunch(entry, place);
    }
}

ExerciseLaunch lessonListening(int index, const LaunchPlace& place,
                               const QString& recordingToFollow, const QString& student)
{
    const CatalogueEntry entry =
        prefixedEntry(courseCatalogues().entry(place.mode, index), place.dataFolder);
    return [room = place.room, entry, recordingToFollow, data = place.dataFolder,
            student](DrillCounts*) {
        return ExecuteWorkText(room.x(), room.y(), room.width(), room.height(), entry.SoundFile,
                               recordingToFollow, entry.TextFile, entry.TransFile, entry.TimingFile,
                               entry.PictureFile, 2, data, student);
    };
}

void runExercise(UserSession& session, int index, ExerciseKind kind, const ExerciseLaunch& launch,
                 const QString& previousRecording, const std::function<void()>& passDone)
{
    DrillCounts counts;
    if (launch(&counts) != LaunchResult::GoneThrough)
        return;
    if (passDone)
        passDone();
    for (;;) {
        prepareCompletion(session, kind, counts, previousRecording);
        const DialogResult result = execDialog(*DlgLexRepit());
        if (result == DialogResult::Retry) {
            counts = {};
            if (launch(&counts) != LaunchResult::GoneThrough)
                return;
            if (passDone)
                passDone();
            continue;
        }
        if (result == DialogResult::OK) {
            const QString recording =
                storesRecordingName(kind) ? session.recordingName(index) : QString();
            showFileProblems(
                session.markDone(index, kind,
                                 RunOutcome{counts.errors, counts.questions, recording}),
                FileFault::Warning);
        }
        return;
    }
}

bool launchEntry(UserSession& session, int index, const LaunchPlace& place,
                 const std::function<void()>& beforeRun)
{
    const ExerciseKind kind = courseCatalogues().entry(place.mode, index).exerciseKind();
    const QString previousRecording = recordingToAnalyse(session, kind, place.mode, index);
    const ExerciseLaunch launch = exerciseLaunch(session, index, place, previousRecording);
    if (!launch)
        return false;
    beforeRun();
    runExercise(session, index, kind, launch, previousRecording,
                [&] { keepFinishedPass(session, index, place); });
    return true;
}
