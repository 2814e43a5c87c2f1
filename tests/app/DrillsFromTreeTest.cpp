#include "MainWindowDriver.h"
// The drills as a student reaches them: the demo course's tree, "Выполнить",
// the exercise window worked through with the mouse and the keyboard, the
// completion dialog, and the done picture in the tree after marking.
#include "app/Catalogue.h"
#include "app/FormMain.h"
#include "app/FormProgress.h"
#include "app/HelpTopics.h"
#include "app/HelpViewer.h"
#include "common/Paths.h"
#include "dialogs/DlgDoubleError.h"
#include "dialogs/DlgErrorDo.h"
#include "dialogs/DlgLexRepit.h"
#include "drills/DrillRandom.h"
#include "drills/FormExecLexic.h"
#include "drills/FormExecLexicDemo.h"
#include "drills/FormQuestDemo.h"
#include "drills/FormQuestDown.h"
#include "drills/FormQuestEnd.h"
#include "drills/FormQuestTrFl.h"
#include "listening/FormTransNoText.h"
#include "listening/FormWorkText.h"
#include "listening/TextSintagm.h"
#include "sound/VirtualSoundEngine.h"
#include "support/ModalDriver.h"
#include "support/TempCourse.h"
#include "users/NewUser.h"
#include "users/UserSession.h"
#include "widgets/BtnImgD1QF.h"
#include "widgets/BtnImgTransD1QF.h"
#include "widgets/ChBxImgTransD1QF.h"
#include "widgets/HelpContext.h"
#include "widgets/Memo.h"

#include <QDir>
#include <QDirIterator>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

// The demo course, made once per test program from the course sources, so that
// the test neither waits for nor races with the shared copy of the build.
QString demoCourse()
{
    static QTemporaryDir made;
    static bool ready = false;
    const QString folder = made.filePath(QStringLiteral("demo"));
    if (!ready) {
        const QString generator = testDataPath(QStringLiteral("../../course/make-demo-course"));
        QProcess run;
        run.setProcessChannelMode(QProcess::ForwardedChannels);
        run.start(generator, {folder});
        ready = run.waitForFinished(120000) && run.exitStatus() == QProcess::NormalExit &&
                run.exitCode() == 0;
    }
    return ready ? folder : QString();
}

bool copyFolder(const QString& from, const QString& to)
{
    if (from.isEmpty())
        return false;
    QDirIterator files(from, QDir::Files, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        const QString source = files.next();
        const QString target = QDir(to).filePath(QDir(from).relativeFilePath(source));
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(source, target))
            return false;
    }
    return true;
}

// Under a real screen (TOLVAREN_SCREENSHOTS=folder, QT_QPA_PLATFORM=xcb) the
// flows leave pictures of what the student sees at each step.
void snap(const char* name)
{
    const QString folder = qEnvironmentVariable("TOLVAREN_SCREENSHOTS");
    if (folder.isEmpty())
        return;
    QTest::qWait(300);
    QGuiApplication::primaryScreen()->grabWindow(0).save(
        QDir(folder).filePath(QLatin1String(name) + QStringLiteral(".png")));
}

// Entries of the demo course's catalogue D that the flows use.
constexpr int LexiconPreviewEntry = 4;
constexpr int LexiconDrillEntry = 5;
constexpr int QuestionPreviewEntry = 6;
constexpr int QuestionsEntry = 9;
constexpr int TrueFalseEntry = 10;

// The main window on a fresh copy of the demo course, with a named user of
// mode D current.
struct DemoShell {
    TempCourse course;
    bool copied = copyFolder(demoCourse(), course.path());
    UserSession session;
    TFormProgress progress;
    TFormMain main{session};

    DemoShell()
    {
        VirtualSound::use();
        VirtualSound::reset();
        ShellWindows windows;
        windows.progress = &progress;
        main.setWindows(windows);
        showMainWindow(main);
        NewUserInput input;
        input.name = QStringLiteral("Anna");
        input.password = input.confirmation = QStringLiteral("pw");
        input.fileName = defaultProgressPath(QDir::currentPath(), input.name);
        input.mode = QStringLiteral("D");
        main.ChangeUser(session.addUser(input).index.value_or(-1));
    }
    ~DemoShell() { VirtualSound::use(false); }

    QTreeWidgetItem* node(int entry) { return nodeOfEntry(main, entry); }
    TreeImage image(int entry) { return imageOfEntry(main, entry); }

    // Selects the entry's node (after checking it is the kind the flow is
    // about) and presses "Выполнить".
    void start(int entry, ExerciseKind kind)
    {
        ASSERT_TRUE(copied) << "the demo course could not be made";
        ASSERT_EQ(courseCatalogues().entry(u'D', entry).exerciseKind(), kind);
        ASSERT_TRUE(node(entry));
        treeOf(main)->setCurrentItem(node(entry));
        ASSERT_TRUE(part<QToolButton>(main, "ToolButton4")->isEnabled());
        EXPECT_EQ(part<QToolButton>(main, "ToolButton4")->text(), QStringLiteral("Выполнить"));
        QTest::mouseClick(part<QToolButton>(main, "ToolButton4"), Qt::LeftButton);
    }

    // Where an exercise window belongs: centred on the main window's client area.
    QPoint clientCentre() const
    {
        const QWidget* client = main.centralWidget();
        return client->mapToGlobal(QPoint(client->width() / 2, client->height() / 2));
    }
    void expectPlacedOverMain(const QWidget* window) const
    {
        EXPECT_EQ(window->pos(),
                  clientCentre() - QPoint(window->width() / 2, window->height() / 2));
        EXPECT_FALSE(part<QWidget>(main, "PanelMain")->isVisible())
            << "the tree is hidden during an exercise";
        EXPECT_FALSE(part<QWidget>(main, "CoolBar1")->isVisible());
    }
};

// What the completion dialog offered.
struct Completion {
    QString text;
    bool markable = false;
};

enum class Choice { Mark, Repeat, Leave };

// Arranges the completion dialog after the exercise window: its text is kept,
// then the student marks the exercise done or repeats it.
void whenCompletion(Completion* seen, Choice choice, const char* picture = nullptr)
{
    whenModal([=](QWidget* window) {
        auto* dialog = qobject_cast<TDlgLexRepit*>(window);
        ASSERT_TRUE(dialog) << window->metaObject()->className();
        seen->text = dialog->MemoComent->Lines().join(QLatin1Char('\n'));
        seen->markable = dialog->BitBtnOk->isEnabled() && dialog->Label2->isEnabled();
        // The student must be able to read the whole outcome without scrolling.
        EXPECT_LE(dialog->MemoComent->document()->size().height(),
                  dialog->MemoComent->viewport()->height())
            << seen->text.toStdString();
        if (picture)
            snap(picture);
        QWidget* button = dialog->BitBtnOk;
        if (choice == Choice::Repeat)
            button = dialog->BitBtn3;
        if (choice == Choice::Leave)
            button = dialog->BitBtn2;
        QTest::mouseClick(button, Qt::LeftButton);
    });
}

// The picture button of a shared dialog that closes it.
void pressOk(QWidget* dialog)
{
    const QList<TBtnImgD1QF*> buttons = dialog->findChildren<TBtnImgD1QF*>();
    ASSERT_FALSE(buttons.isEmpty());
    QTest::mouseClick(buttons.first(), Qt::LeftButton);
}

QStringList counters(const QLabel* remaining, const QLabel* total, const QLabel* errors = nullptr)
{
    QStringList texts{remaining->text(), total->text()};
    if (errors)
        texts.append(errors->text());
    return texts;
}

// After the run: the completion dialog said `text` and offered the mark or
// not; a mark offered was taken, and the tree shows it.
void expectCompletion(DemoShell& shell, int entry, const Completion& seen, const QString& text,
                      bool marked)
{
    EXPECT_TRUE(modalActionsDone());
    EXPECT_EQ(seen.text, text);
    EXPECT_EQ(seen.markable, marked);
    EXPECT_EQ(shell.session.isDone(entry), marked);
    EXPECT_EQ(shell.image(entry), marked ? TreeImage::Done : TreeImage::ToDo);
}

const QString TooManyErrors = QStringLiteral("Ошибок: %1. Вы не в достаточной мере поняли "
                                             "содержание текста. Попробуйте прослушать текст "
                                             "еще раз.");
const QString FewErrors =
    QStringLiteral("Ошибок: %1. Рекомендуется отметить упражнение как выполненное");

} // namespace

// Enter in the tree does what a double click does: a lesson heading opens and
// closes, an exercise starts; afterwards the keyboard is back in the tree.
TEST(DrillsFromTree, EnterInTheTreeStartsTheSelectedExercise)
{
    DemoShell shell;
    ASSERT_TRUE(shell.copied);
    QTreeWidgetItem* heading = shell.node(LexiconPreviewEntry)->parent();
    treeOf(shell.main)->setCurrentItem(heading);
    const bool expanded = heading->isExpanded();
    QTest::keyClick(treeOf(shell.main), Qt::Key_Return);
    EXPECT_NE(heading->isExpanded(), expanded);
    QTest::keyClick(treeOf(shell.main), Qt::Key_Enter);
    EXPECT_EQ(heading->isExpanded(), expanded);

    QString opened;
    whenModal([&](QWidget* window) {
        opened = QLatin1String(window->metaObject()->className());
        // Left at once: no completion dialog follows.
        if (auto* form = qobject_cast<TFormExecLexicDemo*>(window))
            QTest::mouseClick(form->BtnImgTransD1QF2, Qt::LeftButton);
    });
    treeOf(shell.main)->setCurrentItem(shell.node(LexiconPreviewEntry));
    QTest::keyClick(treeOf(shell.main), Qt::Key_Return);
    EXPECT_TRUE(modalActionsDone());
    EXPECT_EQ(opened, QStringLiteral("TFormExecLexicDemo"));
    EXPECT_EQ(shell.main.focusWidget(), treeOf(shell.main));
}

// Kind 1: the lexicon preview of lesson 1, item after item, with Play on the
// virtual sound device; past the last item the completion dialog follows.
TEST(DrillsFromTree, LexiconPreviewToItsEnd)
{
    DemoShell shell;
    Completion seen;
    whenModal([&](QWidget* window) {
        auto* form = qobject_cast<TFormExecLexicDemo*>(window);
        ASSERT_TRUE(form) << window->metaObject()->className();
        shell.expectPlacedOverMain(form);
        const int count = form->Preview().count();
        ASSERT_EQ(count, 18);
        EXPECT_EQ(counters(form->LabelSelect, form->LabelCount), (QStringList{"17", "18"}));
        EXPECT_EQ(form->EditText->text(), QStringLiteral("aufwachen"));
        EXPECT_EQ(form->EditTranslate->text(), QStringLiteral("просыпаться"));

        const LexiconItem& first = form->Preview().currentItem();
        QTest::mouseClick(form->BitBtnPlay, Qt::LeftButton);
        EXPECT_FALSE(form->BitBtnPlay->isEnabled()) << "Play waits for the end of the segment";
        VirtualSound::advance(first.end - first.start);
        EXPECT_TRUE(form->BitBtnPlay->isEnabled());

        QTest::mouseClick(form->BtnImgD1QF1, Qt::LeftButton);
        EXPECT_EQ(form->EditText->text(), form->Preview().currentItem().expression);
        EXPECT_EQ(form->LabelSelect->text(), "16");
        snap("1-lexicon-preview");
        for (int step = 2; step < count; ++step)
            QTest::keyClick(form, Qt::Key_Return);
        EXPECT_EQ(form->LabelSelect->text(), "0");
        whenCompletion(&seen, Choice::Mark, "1-lexicon-preview-completion");
        QTest::mouseClick(form->BtnImgD1QF1, Qt::LeftButton);
    });
    shell.start(LexiconPreviewEntry, ExerciseKind::LexiconPreview);
    expectCompletion(shell, LexiconPreviewEntry, seen,
                     QStringLiteral("Вы просмотрели лексику урока."), true);
    EXPECT_EQ(shell.image(LexiconDrillEntry), TreeImage::ToDo);
    EXPECT_TRUE(part<QWidget>(shell.main, "PanelMain")->isVisible());
    EXPECT_TRUE(part<QWidget>(shell.main, "CoolBar1")->isVisible());
}

// Kind 2: the lexicon drill with a first miss (try again), a second miss (the
// right translation shown, one error), then every expression right.
TEST(DrillsFromTree, LexiconDrillWithTwoMissesToItsEnd)
{
    DemoShell shell;
    seedDrillRandom(7);
    Completion seen;
    whenModal([&](QWidget* window) {
        auto* form = qobject_cast<TFormExecLexic*>(window);
        ASSERT_TRUE(form) << window->metaObject()->className();
        shell.expectPlacedOverMain(form);
        const LexiconDrill& drill = form->drill();
        ASSERT_EQ(drill.count(), 18);
        EXPECT_EQ(form->ListBoxTrans->count(), 18);
        EXPECT_EQ(counters(form->LabelSelect, form->LabelCount, form->LabelError),
                  (QStringList{"18", "18", "0"}));
        snap("2-lexicon-drill");

        const QString right = drill.currentItem().translation;
        const int wrong = form->ListBoxTrans->item(0)->text() == right ? 1 : 0;
        form->ListBoxTrans->setCurrentRow(wrong);
        whenModal([](QWidget* dialog) {
            EXPECT_TRUE(qobject_cast<TDlgErrorDo*>(dialog)) << dialog->metaObject()->className();
            snap("2-lexicon-first-miss");
            pressOk(dialog);
        });
        QTest::mouseClick(form->BtnImgTransD1QF1, Qt::LeftButton);
        EXPECT_TRUE(drill.retryPending());
        EXPECT_EQ(form->LabelError->text(), "0");

        whenModal([right](QWidget* dialog) {
            auto* error = qobject_cast<TDlgLexicError*>(dialog);
            ASSERT_TRUE(error) << dialog->metaObject()->className();
            EXPECT_EQ(error->MemoTrueQuest->Lines(), QStringList{right});
            snap("2-lexicon-second-miss");
            pressOk(dialog);
        });
        form->ListBoxTrans->setCurrentRow(wrong);
        QTest::mouseClick(form->BtnImgTransD1QF1, Qt::LeftButton);
        EXPECT_EQ(form->LabelError->text(), "1");
        EXPECT_EQ(form->LabelSelect->text(), "18") << "a missed expression stays to do";

        whenCompletion(&seen, Choice::Mark, "2-lexicon-completion");
        for (int answers = 0; answers < 18 && form->isVisible(); ++answers) {
            const QString translation = drill.currentItem().translation;
            form->ListBoxTrans->setCurrentItem(
                form->ListBoxTrans->findItems(translation, Qt::MatchExactly).first());
            QTest::keyClick(form->ListBoxTrans, Qt::Key_Return);
        }
        EXPECT_FALSE(form->isVisible()) << "18 right answers end the drill";
    });
    shell.start(LexiconDrillEntry, ExerciseKind::Lexicon);
    expectCompletion(shell, LexiconDrillEntry, seen,
                     QStringLiteral("Вы успешно выполнили упражнение."), true);
}

// Kind 3: the question preview, repeated once from the completion dialog; the
// second run is marked.
TEST(DrillsFromTree, QuestionPreviewRepeatedThenMarked)
{
    DemoShell shell;
    Completion first, second;
    int runs = 0;
    std::function<void(QWidget*)> goThrough = [&](QWidget* window) {
        auto* form = qobject_cast<TFormQuestDemo*>(window);
        ASSERT_TRUE(form) << window->metaObject()->className();
        ++runs;
        shell.expectPlacedOverMain(form);
        EXPECT_EQ(counters(form->LabelSelect, form->LabelCount), (QStringList{"6", "7"}));
        EXPECT_FALSE(form->MemoQuest->toPlainText().isEmpty());
        if (runs == 1)
            snap("3-question-preview");
        for (int step = 1; step < 7; ++step)
            QTest::mouseClick(form->BtnImgD1QF1, Qt::LeftButton);
        EXPECT_EQ(form->LabelSelect->text(), "0");
        if (runs == 1) {
            whenCompletion(&first, Choice::Repeat);
            whenModal(goThrough);
        } else {
            whenCompletion(&second, Choice::Mark);
        }
        QTest::mouseClick(form->BtnImgD1QF1, Qt::LeftButton);
    };
    whenModal(goThrough);
    shell.start(QuestionPreviewEntry, ExerciseKind::QuestionPreview);
    EXPECT_TRUE(modalActionsDone());
    EXPECT_EQ(runs, 2);
    EXPECT_EQ(first.text, QStringLiteral("Вы просмотрели вопросы к тексту."));
    EXPECT_EQ(second.text, first.text);
    EXPECT_EQ(shell.image(QuestionPreviewEntry), TreeImage::Done);
}

namespace {
// Misses the question asked: a wrong box (or, with noBox, none) is confirmed.
// A question with more than two answers gets a second try after the first
// miss; the second miss shows the right answer.
void missQuestion(TFormQuestDown* form, bool noBox)
{
    const QuestionDrill& drill = form->drill();
    const int correct = drill.correctSlot();
    const QString right = drill.currentQuestion().answers.first();
    const int wrong = correct == 0 ? 1 : 0;
    // The first box starts checked; clicking a checked box clears it.
    if (noBox ? form->RadioButton[0]->Checked() : !form->RadioButton[wrong]->Checked())
        QTest::mouseClick(form->RadioButton[noBox ? 0 : wrong], Qt::LeftButton);
    EXPECT_FALSE(form->RadioButton[correct]->Checked());
    if (drill.currentQuestion().answers.size() > 2) {
        whenModal([](QWidget* dialog) {
            EXPECT_TRUE(qobject_cast<TDlgErrorDo*>(dialog)) << dialog->metaObject()->className();
            snap("6-questions-first-miss");
            pressOk(dialog);
        });
        QTest::mouseClick(form->BtnImgTransD1QF1, Qt::LeftButton);
        EXPECT_EQ(form->Memo[correct]->toPlainText(), right) << "a second try";
    }
    whenModal([right](QWidget* dialog) {
        auto* error = qobject_cast<TDlgDoubleError*>(dialog);
        ASSERT_TRUE(error) << dialog->metaObject()->className();
        EXPECT_EQ(error->MemoTrueQuest->Lines(), QStringList{right});
        snap("6-questions-second-miss");
        pressOk(dialog);
    });
    QTest::keyClick(form, Qt::Key_Return);
}
} // namespace

// Kind 6: the after-text questions. One miss in seven, on a question that has
// a second try, passes and is marked with its percentage; three misses (more
// than 30 %) give the failing text in full and no mark.
TEST(DrillsFromTree, QuestionsAreMarkedOnlyWithFewErrors)
{
    const struct {
        unsigned seed;
        int misses;
        QString outcome;
        bool marked;
    } cases[] = {{5, 1, FewErrors.arg(1), true}, {9, 3, TooManyErrors.arg(3), false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.misses);
        DemoShell shell;
        seedDrillRandom(c.seed);
        Completion seen;
        whenModal([&](QWidget* window) {
            auto* form = qobject_cast<TFormQuestDown*>(window);
            ASSERT_TRUE(form) << window->metaObject()->className();
            shell.expectPlacedOverMain(form);
            const QuestionDrill& drill = form->drill();
            ASSERT_EQ(drill.count(), 7);
            EXPECT_EQ(counters(form->LabelSelect, form->LabelCount, form->LabelError),
                      (QStringList{"7", "7", "0"}));
            if (c.marked)
                snap("6-questions");
            int missed = 0;
            for (int asked = 0; asked < 7; ++asked) {
                const int correct = drill.correctSlot();
                EXPECT_EQ(form->Memo[correct]->toPlainText(),
                          drill.currentQuestion().answers.first());
                // The one miss falls on a question with a second try; the
                // three misses on the first three questions, with no box.
                const bool miss = missed < c.misses &&
                                  (c.misses > 1 || drill.currentQuestion().answers.size() > 2);
                if (asked == 6)
                    whenCompletion(&seen, c.marked ? Choice::Mark : Choice::Leave,
                                   c.marked ? "6-questions-completion"
                                            : "6-questions-failed-completion");
                if (miss) {
                    missQuestion(form, c.misses > 1);
                    EXPECT_EQ(form->LabelError->text(), QString::number(++missed));
                    continue;
                }
                if (!form->RadioButton[correct]->Checked())
                    QTest::mouseClick(form->RadioButton[correct], Qt::LeftButton);
                QTest::mouseClick(form->BtnImgTransD1QF1, Qt::LeftButton);
            }
            EXPECT_EQ(missed, c.misses)
                << "the demo course has questions with more than two answers";
        });
        shell.start(QuestionsEntry, ExerciseKind::Questions);
        expectCompletion(shell, QuestionsEntry, seen, c.outcome, c.marked);
        if (c.marked) {
            EXPECT_EQ(shell.session.progress().record(QuestionsEntry).result(), 14);
        }
    }
}

namespace {
// A button of a drill window, found through the window's class; nullptr in a
// window of another class.
using ButtonOf = std::function<QAbstractButton*(QWidget*)>;
template <typename Form> ButtonOf buttonOf(TBtnImgTransD1QF* Form::*member)
{
    return [member](QWidget* window) -> QAbstractButton* {
        auto* form = qobject_cast<Form*>(window);
        return form ? form->*member : nullptr;
    };
}

// Answers every statement of the true/false window, `wrong` of them wrongly
// (the first ones asked), with the mouse.
void answerStatements(TFormQuestTrFl* form, int wrong)
{
    const TrueFalseDrill& drill = form->drill();
    for (int answered = 0; drill.remaining() > 0; ++answered) {
        const bool yes = drill.currentItem().key != (answered < wrong);
        QTest::mouseClick(yes ? form->RadioButtonYes : form->RadioButtonNo, Qt::LeftButton);
        QTest::mouseClick(form->BitBtn1, Qt::LeftButton);
    }
}
} // namespace

// Kind 7: the true/false statements, one skipped, then some answered wrong;
// the results grid lists them in file order, then the completion dialog
// follows. One wrong of eight is marked with its grade; three (more than 30 %)
// or all eight wrong give the failing text and no mark.
TEST(DrillsFromTree, TrueFalseShowsItsResultsThenTheCompletion)
{
    const struct {
        int wrong;
        QString outcome;
        bool marked;
    } cases[] = {{1, FewErrors.arg(1), true},
                 {3, TooManyErrors.arg(3), false},
                 {8, TooManyErrors.arg(8), false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.wrong);
        DemoShell shell;
        seedDrillRandom(11);
        Completion seen;
        QList<TrueFalseItem> statements;
        whenModal([&](QWidget* window) {
            auto* form = qobject_cast<TFormQuestTrFl*>(window);
            ASSERT_TRUE(form) << window->metaObject()->className();
            shell.expectPlacedOverMain(form);
            const TrueFalseDrill& drill = form->drill();
            ASSERT_EQ(drill.count(), 8);
            EXPECT_EQ(counters(form->LabelSelect, form->LabelCount, form->LabelError),
                      (QStringList{"8", "8", "0"}));
            QTest::mouseClick(form->BitBtnNext, Qt::LeftButton);
            EXPECT_EQ(form->LabelSelect->text(), "8") << "skipping changes no counter";
            if (c.marked) // the pictures show the run that passes
                snap("7-true-false");

            whenModal([&](QWidget* results) {
                auto* end = qobject_cast<TFormQuestEnd*>(results);
                ASSERT_TRUE(end) << results->metaObject()->className();
                EXPECT_EQ(end->LabelCount->text(), "8");
                EXPECT_EQ(end->LabelError->text(), QString::number(c.wrong));
                statements = drill.items();
                for (int row = 0; row < 8; ++row) {
                    const TrueFalseItem& item = statements[row];
                    EXPECT_EQ(end->StringGridRes->item(row, 0)->text(), item.text);
                    EXPECT_EQ(end->StringGridRes->item(row, 2)->text(),
                              item.right ? QStringLiteral("Да") : QStringLiteral("Нет"));
                }
                if (c.marked)
                    snap("7-true-false-results");
                whenCompletion(&seen, c.marked ? Choice::Mark : Choice::Leave,
                               c.marked ? "7-true-false-completion" : nullptr);
                QTest::mouseClick(end->BitBtn1, Qt::LeftButton);
            });
            answerStatements(form, c.wrong);
        });
        shell.start(TrueFalseEntry, ExerciseKind::TrueFalse);
        expectCompletion(shell, TrueFalseEntry, seen, c.outcome, c.marked);
        EXPECT_EQ(std::count_if(statements.begin(), statements.end(),
                                [](const TrueFalseItem& item) { return !item.right; }),
                  c.wrong);
        if (c.marked) {
            EXPECT_EQ(shell.session.progress().record(TrueFalseEntry).result(), 4)
                << "7 of 8 right";
        }
    }
}

// Help in the four drill windows that have it, as the program sets it up: the
// window's help button and F1 both open the help file at the window's topic.
TEST(DrillsFromTree, HelpButtonAndF1OpenTheWindowsTopic)
{
    struct HelpCase {
        int entry;
        ExerciseKind kind;
        QString topic;
        ButtonOf help;
        ButtonOf leave;
    };
    const QList<HelpCase> cases{
        {LexiconPreviewEntry, ExerciseKind::LexiconPreview, "LexicDemo",
         buttonOf(&TFormExecLexicDemo::BtnImgTransD1QF1),
         buttonOf(&TFormExecLexicDemo::BtnImgTransD1QF2)},
        {LexiconDrillEntry, ExerciseKind::Lexicon, "Lexic",
         buttonOf(&TFormExecLexic::BtnImgTransD1QF2), buttonOf(&TFormExecLexic::BtnImgTransD1QF3)},
        {QuestionPreviewEntry, ExerciseKind::QuestionPreview, "QuestDemo",
         buttonOf(&TFormQuestDemo::BtnImgTransD1QF1), buttonOf(&TFormQuestDemo::BtnImgTransD1QF2)},
        {QuestionsEntry, ExerciseKind::Questions, "QuestEnd",
         buttonOf(&TFormQuestDown::BtnImgTransD1QF2), buttonOf(&TFormQuestDown::BtnImgTransD1QF3)},
    };
    DemoShell shell;
    // What the program does at its start, before any window exists.
    setHelpFile(HelpFileName);
    installHelpKey();
    auto shownTopic = []() -> QString {
        QWidget* viewer = helpViewer();
        if (!viewer || !viewer->isVisible())
            return QStringLiteral("(no help window)");
        const QString topic = viewer->findChild<QTextBrowser*>()->source().fragment();
        viewer->close();
        return topic;
    };
    for (const HelpCase& help : cases) {
        QStringList shown;
        whenModal([&](QWidget* window) {
            ASSERT_TRUE(help.help(window)) << window->metaObject()->className();
            shell.expectPlacedOverMain(window);
            QTest::mouseClick(help.help(window), Qt::LeftButton);
            shown.append(shownTopic());
            QWidget* focus = window->focusWidget();
            QTest::keyClick(focus ? focus : window, Qt::Key_F1);
            shown.append(shownTopic());
            QTest::mouseClick(help.leave(window), Qt::LeftButton);
        });
        shell.start(help.entry, help.kind);
        EXPECT_TRUE(modalActionsDone());
        EXPECT_EQ(shown, (QStringList{help.topic, help.topic})) << help.topic.toStdString();
    }
}

// Kind 5: lesson listening opens over the whole client area in its own
// proportions, plays the lesson with the text following, and reaches the
// completion dialog. After a heading it analyses no recording; right after a
// marked interpretation exercise of the same lesson it offers that recording.
TEST(DrillsFromTree, LessonListeningWithAndWithoutARecording)
{
    DemoShell shell;
    constexpr int ListeningEntry = 8;
    Completion seen;
    whenModal([&](QWidget* window) {
        auto* form = qobject_cast<TFormWorkText*>(window);
        ASSERT_TRUE(form) << window->metaObject()->className();
        const QWidget* client = shell.main.centralWidget();
        EXPECT_EQ(form->width(), client->width()) << "width-limited in the demo's main window";
        EXPECT_FALSE(part<QWidget>(shell.main, "PanelMain")->isVisible());
        EXPECT_FALSE(form->CheckBoxTransUser->Enabled()) << "no recording after a heading";
        EXPECT_GT(form->lessonData().count(), 10);
        EXPECT_TRUE(form->lessonData().errors.isEmpty());
        QTest::mouseClick(form->CheckBoxText, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseClick(form->BitBtnPlayAll, Qt::LeftButton);
        VirtualSound::advance(form->lessonData().timing[2].end + 1);
        form->TimerPosTimer();
        EXPECT_EQ(form->N(), 3);
        EXPECT_EQ(form->TextSintagmText->Position(), 2);
        EXPECT_EQ(form->shownPicture(), 1) << "the lesson's picture beside the text";
        snap("5-listening-text-and-picture");
        QTest::mouseClick(form->CheckBoxTrans, Qt::LeftButton, {}, QPoint(5, 5));
        form->TimerPosTimer();
        snap("5-listening-text-and-translation");
        QTest::mouseClick(form->BitBtnStop, Qt::LeftButton);
        VirtualSound::advance(0);
        // Syntagm 2 of the demo lesson carries a comment.
        form->TrackBarText->setValue(2);
        form->TimerPosTimer();
        ASSERT_TRUE(form->BtnImgComent->isEnabled());
        QTest::mouseClick(form->BtnImgComent, Qt::LeftButton);
        EXPECT_TRUE(form->PanelComent->isVisible());
        snap("5-listening-comment");
        whenCompletion(&seen, Choice::Mark, "5-listening-completion");
        QTest::mouseClick(form->BitBtn5, Qt::LeftButton);
    });
    shell.start(ListeningEntry, ExerciseKind::LessonListening);
    EXPECT_TRUE(modalActionsDone());
    EXPECT_EQ(seen.text, QStringLiteral("Вы прослушали текст урока."));
    EXPECT_TRUE(seen.markable);
    EXPECT_EQ(shell.image(ListeningEntry), TreeImage::Done);

    // Mode A: entry 4 (kind 12) is an interpretation, entry 5 its analysis.
    EXPECT_TRUE(shell.session.changeMode(QStringLiteral("A")).isEmpty());
    shell.main.ChangeUser(shell.session.currentIndex());
    ASSERT_EQ(courseCatalogues().entry(u'A', 4).exerciseKind(), ExerciseKind::TrainerWithWait);
    ASSERT_EQ(courseCatalogues().entry(u'A', 5).exerciseKind(), ExerciseKind::LessonListening);
    const QString recording = shell.session.recordingName(4);
    EXPECT_TRUE(
        shell.session.markDone(4, ExerciseKind::TrainerWithWait, RunOutcome{0, 0, recording})
            .isEmpty());
    whenModal([&](QWidget* window) {
        auto* form = qobject_cast<TFormWorkText*>(window);
        ASSERT_TRUE(form) << window->metaObject()->className();
        EXPECT_TRUE(form->CheckBoxTransUser->Enabled()) << "the student's recording is offered";
        whenCompletion(&seen, Choice::Leave);
        QTest::mouseClick(form->BitBtn5, Qt::LeftButton);
    });
    treeOf(shell.main)->setCurrentItem(shell.node(5));
    QTest::mouseClick(part<QToolButton>(shell.main, "ToolButton4"), Qt::LeftButton);
    EXPECT_TRUE(modalActionsDone());
    EXPECT_EQ(seen.text, QStringLiteral("Вы анализировали свой перевод"));
    EXPECT_EQ(shell.image(5), TreeImage::ToDo) << "left, not marked";
}

// Kinds 4, 8 and 11 to 15 open the interpretation trainer over the client area
// with what each allows. A short pass (with a wait for kind 12) reaches the
// completion dialog, and the mark stores the entry's recording name, also for
// the kinds that record nothing. Then the analysis after the marked kind 12
// offers the student's own recording with its timing.
TEST(DrillsFromTree, InterpretationKindsToTheirMark)
{
    struct Case {
        char mode;
        int entry;
        ExerciseKind kind;
        bool text, trans, wait, records;
        int help;
    };
    using enum ExerciseKind;
    const Case cases[] = {
        {'B', 3, TrainerListening, false, false, false, false, 110},
        {'B', 4, TrainerWithTranslation, false, true, false, true, 160},
        {'B', 5, Interpretation, false, false, false, true, 0},
        {'C', 7, InterpretationListening, true, false, false, false, 0},
        {'C', 8, Interpretation, true, false, false, true, 0},
        {'A', 3, TrainerRecording, false, false, false, true, 150},
        {'A', 6, TrainerWithText, true, false, false, true, 170},
        {'A', 4, TrainerWithWait, false, false, true, true, 140},
    };
    DemoShell shell;
    ASSERT_TRUE(shell.copied);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "mode " << c.mode << " entry " << c.entry);
        EXPECT_TRUE(shell.session.changeMode(QString(QLatin1Char(c.mode))).isEmpty());
        shell.main.ChangeUser(shell.session.currentIndex());
        ASSERT_EQ(courseCatalogues().entry(QLatin1Char(c.mode), c.entry).exerciseKind(), c.kind);
        const QString recording = shell.session.recordingName(c.entry);
        QFile::remove(coursePath(recording));
        Completion seen;
        whenModal([&](QWidget* window) {
            auto* form = qobject_cast<TFormTransNoText*>(window);
            ASSERT_TRUE(form) << window->metaObject()->className();
            EXPECT_EQ(form->width(), shell.main.centralWidget()->width());
            EXPECT_FALSE(part<QWidget>(shell.main, "PanelMain")->isVisible());
            EXPECT_EQ(form->CheckBoxText->Enabled(), c.text);
            EXPECT_EQ(form->CheckBoxTrans->Enabled(), c.trans);
            EXPECT_EQ(form->BtnImgWait->isEnabled(), c.wait);
            EXPECT_EQ(helpContextOf(form), c.help);
            EXPECT_EQ(form->LabelPlay->text(),
                      c.records ? QStringLiteral("Переводить") : QStringLiteral("Слушать"));
            if (c.text)
                QTest::mouseClick(form->CheckBoxText, Qt::LeftButton, {}, QPoint(5, 5));
            if (c.trans)
                QTest::mouseClick(form->CheckBoxTrans, Qt::LeftButton, {}, QPoint(5, 5));
            if (c.kind == TrainerWithWait)
                snap("12-trainer-idle");
            QTest::mouseClick(form->BitBtnPlay, Qt::LeftButton);
            form->TimerPos.stop();
            const qint64 firstEnd = form->lessonData().timing.value(2).end;
            VirtualSound::advance(firstEnd + 50);
            form->TimerPosTimer();
            EXPECT_EQ(form->N(), 3);
            if (c.text || c.trans)
                snap(c.text ? "15-trainer-running-text" : "14-trainer-running-translation");
            if (c.wait) {
                QTest::mouseClick(form->BtnImgWait, Qt::LeftButton);
                VirtualSound::advance(3000);
                form->TimerPosTimer();
                snap("12-trainer-waiting");
                QTest::mouseClick(form->BtnImgWait, Qt::LeftButton);
                VirtualSound::advance(2000);
                form->TimerPosTimer();
            }
            QTest::mouseClick(form->BitBtnStop, Qt::LeftButton);
            VirtualSound::advance(0);
            whenCompletion(&seen, Choice::Mark);
            QTest::mouseClick(form->BitBtnClose, Qt::LeftButton);
        });
        treeOf(shell.main)->setCurrentItem(shell.node(c.entry));
        QTest::mouseClick(part<QToolButton>(shell.main, "ToolButton4"), Qt::LeftButton);
        EXPECT_TRUE(modalActionsDone());
        EXPECT_EQ(seen.text, c.kind == Interpretation
                                 ? QStringLiteral("Вы перевели текст.")
                                 : QStringLiteral("Вы прослушали текст урока."));
        EXPECT_EQ(shell.image(c.entry), TreeImage::Done);
        EXPECT_EQ(shell.session.progress().record(c.entry).text(), recording);
        EXPECT_EQ(QFileInfo::exists(coursePath(recording)), c.records);
    }

    // Entry 5 of mode A analyses the kind 12 recording just marked.
    Completion seen;
    whenModal([&](QWidget* window) {
        auto* form = qobject_cast<TFormWorkText*>(window);
        ASSERT_TRUE(form) << window->metaObject()->className();
        EXPECT_TRUE(form->CheckBoxTransUser->Enabled());
        EXPECT_TRUE(form->lessonData().studentTimingFound);
        EXPECT_TRUE(form->lessonData().errors.isEmpty());
        whenCompletion(&seen, Choice::Leave);
        QTest::mouseClick(form->BitBtn5, Qt::LeftButton);
    });
    treeOf(shell.main)->setCurrentItem(shell.node(5));
    QTest::mouseClick(part<QToolButton>(shell.main, "ToolButton4"), Qt::LeftButton);
    EXPECT_TRUE(modalActionsDone());
    EXPECT_EQ(seen.text, QStringLiteral("Вы анализировали свой перевод"));
}
