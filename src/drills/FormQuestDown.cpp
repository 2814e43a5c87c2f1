#include "drills/FormQuestDown.h"

#include "dialogs/DrillDialogs.h"
#include "drills/ChoiceKeys.h"
#include "drills/DrillLaunch.h"
#include "widgets/AccessibleControls.h"
#include "widgets/BtnImgTransD1QF.h"
#include "widgets/ButtonPictures.h"
#include "widgets/ChBxImgTransD1QF.h"
#include "widgets/HelpContext.h"
#include "widgets/PicturePaths.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>

TFormQuestDown::TFormQuestDown(QWidget* parent) : DrillWindow({605, 507}, parent)
{
    setHelpTopic(this, QStringLiteral("QuestEnd"));
    setWindowTitle(QStringLiteral("Послетекстовые вопросы"));
    addCaption(QStringLiteral("Выберите правильный вариант"), {16, 12});
    MemoQuest = addMemoPanel({16, 32, 573, 92});
    MemoQuest->setAccessibleName(QStringLiteral("Вопрос"));
    GroupAnswers = new ChoiceGroup(QStringLiteral("Варианты ответов"), this);
    GroupAnswers->setGeometry(16, 132, 573, MaxAnswers * 72);
    for (int p = 0; p < MaxAnswers; ++p) {
        PanelQ[p] = addRaisedPanel({0, p * 72, 573, 66}, GroupAnswers);
        RadioButton[p] = new TChBxImgTransD1QF(PanelQ[p]);
        RadioButton[p]->SetRadio(true);
        dressCheckBox(*RadioButton[p], 22);
        RadioButton[p]->setGeometry(10, 20, 26, 26);
        Memo[p] = addReadOnlyMemo(PanelQ[p], {44, 6, 521, 54}, itemFont());
        connect(RadioButton[p], &TChBxImgTransD1QF::clicked, this, [this, p] { ChoiceClick(p); });
    }
    // In the design the first box is the checked one.
    RadioButton[0]->SetChecked(true);

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->hide();
    setEnterButton(BitBtn1);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormQuestDown::BitBtn1Click);
    BtnImgTransD1QF1 = addBarButton(pictures::symbolCheck, QStringLiteral("Подтверждение"), 70);
    connect(BtnImgTransD1QF1, &QAbstractButton::clicked, this, &TFormQuestDown::BitBtn1Click);
    LabelSelect = addCounter(QStringLiteral("Осталось"), 210);
    LabelCount = addCounter(QStringLiteral("Всего"), 300);
    LabelError = addCounter(QStringLiteral("Ошибок"), 390);
    BtnImgTransD1QF2 = addBarButton(SymbolHelp, QStringLiteral("Помощь"), 470);
    connect(BtnImgTransD1QF2, &QAbstractButton::clicked, this, &TFormQuestDown::BitBtn3Click);
    BtnImgTransD1QF3 = addBarButton(pictures::symbolLeave, QStringLiteral("Выход"), 545);
    connect(BtnImgTransD1QF3, &QAbstractButton::clicked, this,
            &TFormQuestDown::BtnImgTransD1QF3Click);
}

bool TFormQuestDown::Load(const DrillFiles& files)
{
    DrillLoad<QuestionRecord> load = loadQuestions(files, true);
    if (load.runnable)
        drill_.emplace(load.items);
    return acceptLoad(load);
}

void TFormQuestDown::start()
{
    drill_->start();
    showQuestion();
}

void TFormQuestDown::SelectNext()
{
    drill_->selectNext();
    showQuestion();
}

void TFormQuestDown::showQuestion()
{
    const QStringList answers = drill_->shownAnswers();
    for (int p = 0; p < MaxAnswers; ++p) {
        const bool used = p < answers.size();
        PanelQ[p]->setVisible(used);
        RadioButton[p]->setVisible(used);
        RadioButton[p]->SetChecked(drill_->checked()[p]);
        Memo[p]->setPlainText(used ? answers[p] : QString());
        // A screen reader says the answer as the box's name and the question with it.
        RadioButton[p]->setAccessibleName(used ? answers[p] : QString());
        RadioButton[p]->setAccessibleDescription(used ? drill_->currentQuestion().text : QString());
    }
    MemoQuest->setPlainText(drill_->currentQuestion().text);
    showCounters();
}

void TFormQuestDown::showCounters()
{
    LabelSelect->setText(QString::number(drill_->remaining()));
    LabelCount->setText(QString::number(drill_->count()));
    LabelError->setText(QString::number(drill_->errors()));
}

void TFormQuestDown::ChoiceClick(int position)
{
    for (int p = 0; p < MaxAnswers; ++p)
        if (p != position)
            RadioButton[p]->SetChecked(false);
    drill_->click(position);
}

void TFormQuestDown::keyPressEvent(QKeyEvent* event)
{
    const std::optional<int> to =
        event->modifiers() & ~Qt::KeypadModifier
            ? std::nullopt
            : choiceByKey(event->key(), drill_->chosen(), int(drill_->shownAnswers().size()));
    if (to)
        choose(*to);
    else
        DrillWindow::keyPressEvent(event);
}

void TFormQuestDown::choose(int position)
{
    drill_->choose(position);
    for (int p = 0; p < MaxAnswers; ++p)
        RadioButton[p]->SetChecked(drill_->checked()[p]);
    RadioButton[position]->setFocus(Qt::TabFocusReason);
}

void TFormQuestDown::BitBtn1Click()
{
    const QuestionDrill::Answer answer = drill_->confirm();
    if (answer.outcome == QuestionDrill::Outcome::FirstMiss) {
        showErrorDo();
        return;
    }
    if (answer.outcome == QuestionDrill::Outcome::SecondMiss)
        showDoubleError(answer.expected);
    if (answer.finished) {
        showCounters();
        closeDialog(*this, DialogResult::OK);
        return;
    }
    showQuestion();
}

void TFormQuestDown::BitBtn2Click()
{
    SelectNext();
}

void TFormQuestDown::BitBtn3Click()
{
    showHelpFor(this);
}

void TFormQuestDown::BtnImgTransD1QF3Click()
{
    closeDialog(*this, DialogResult::Cancel);
}

LaunchResult ExecuteQuestDown(int centreX, int centreY, const QString& textFile,
                              const QString& transFile, const QString& timingFile,
                              const QString& soundFile, DrillCounts* counts)
{
    if (counts)
        *counts = {};
    TFormQuestDown form;
    form.placeAt(centreX, centreY);
    if (!form.Load({textFile, transFile, timingFile, soundFile}))
        return LaunchResult::Left;
    form.start();
    const LaunchResult result = launchResultOf(execDialog(form), LaunchResult::Left);
    if (counts)
        *counts = {form.drill().count(), form.drill().errors()};
    return result;
}
