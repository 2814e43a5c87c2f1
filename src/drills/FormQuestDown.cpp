#include "drills/FormQuestDown.h"

#include "dialogs/DrillDialogs.h"
#include "drills/DrillLaunch.h"
#include "widgets/BtnImgTransD1QF.h"
#include "widgets/ButtonPictures.h"
#include "widgets/ChBxImgTransD1QF.h"
#include "widgets/HelpContext.h"
#include "widgets/PicturePaths.h"

#include <QLabel>
#include <QPushButton>
#include <QTextEdit>

TFormQuestDown::TFormQuestDown(QWidget* parent) : DrillWindow({605, 507}, parent)
{
    SetHelpTopic(this, QStringLiteral("QuestEnd"));
    setWindowTitle(QStringLiteral("Послетекстовые вопросы"));
    AddCaption(QStringLiteral("Выберите правильный вариант"), {16, 12});
    MemoQuest = AddMemoPanel({16, 32, 573, 92});
    for (int p = 0; p < MaxAnswers; ++p) {
        PanelQ[p] = AddRaisedPanel({16, 132 + p * 72, 573, 66});
        RadioButton[p] = new TChBxImgTransD1QF(PanelQ[p]);
        dressCheckBox(*RadioButton[p], 22);
        RadioButton[p]->setGeometry(10, 20, 26, 26);
        Memo[p] = AddReadOnlyMemo(PanelQ[p], {44, 6, 521, 54}, ItemFont());
        connect(RadioButton[p], &TChBxImgTransD1QF::clicked, this, [this, p] { ChoiceClick(p); });
    }
    // In the design the first box is the checked one.
    RadioButton[0]->SetChecked(true);

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->hide();
    SetEnterButton(BitBtn1);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormQuestDown::BitBtn1Click);
    BtnImgTransD1QF1 = AddBarButton(pictures::symbolCheck, QStringLiteral("Подтверждение"), 70);
    connect(BtnImgTransD1QF1, &QAbstractButton::clicked, this, &TFormQuestDown::BitBtn1Click);
    LabelSelect = AddCounter(QStringLiteral("Осталось"), 210);
    LabelCount = AddCounter(QStringLiteral("Всего"), 300);
    LabelError = AddCounter(QStringLiteral("Ошибок"), 390);
    BtnImgTransD1QF2 = AddBarButton(SymbolHelp, QStringLiteral("Помощь"), 470);
    connect(BtnImgTransD1QF2, &QAbstractButton::clicked, this, &TFormQuestDown::BitBtn3Click);
    BtnImgTransD1QF3 = AddBarButton(pictures::symbolLeave, QStringLiteral("Выход"), 545);
    connect(BtnImgTransD1QF3, &QAbstractButton::clicked, this,
            &TFormQuestDown::BtnImgTransD1QF3Click);
}

bool TFormQuestDown::Load(const DrillFiles& files)
{
    DrillLoad<QuestionRecord> load = loadQuestions(files, true);
    if (load.runnable)
        drill_.emplace(load.items);
    return AcceptLoad(load);
}

void TFormQuestDown::Start()
{
    drill_->start();
    ShowQuestion();
}

void TFormQuestDown::SelectNext()
{
    drill_->selectNext();
    ShowQuestion();
}

void TFormQuestDown::ShowQuestion()
{
    const QStringList answers = drill_->shownAnswers();
    for (int p = 0; p < MaxAnswers; ++p) {
        const bool used = p < answers.size();
        PanelQ[p]->setVisible(used);
        RadioButton[p]->setVisible(used);
        RadioButton[p]->SetChecked(drill_->checked()[p]);
        Memo[p]->setPlainText(used ? answers[p] : QString());
    }
    MemoQuest->setPlainText(drill_->currentQuestion().text);
    ShowCounters();
}

void TFormQuestDown::ShowCounters()
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

void TFormQuestDown::BitBtn1Click()
{
    const QuestionDrill::Answer answer = drill_->confirm();
    if (answer.outcome == QuestionDrill::Outcome::FirstMiss) {
        ShowErrorDo();
        return;
    }
    if (answer.outcome == QuestionDrill::Outcome::SecondMiss)
        ShowDoubleError(answer.expected);
    if (answer.finished) {
        ShowCounters();
        closeDialog(*this, DialogResult::OK);
        return;
    }
    ShowQuestion();
}

void TFormQuestDown::BitBtn2Click()
{
    SelectNext();
}

void TFormQuestDown::BitBtn3Click()
{
    ShowHelpFor(this);
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
    form.PlaceAt(centreX, centreY);
    if (!form.Load({textFile, transFile, timingFile, soundFile}))
        return LaunchResult::Left;
    form.Start();
    const LaunchResult result = launchResultOf(execDialog(form), LaunchResult::Left);
    if (counts)
        *counts = {form.Drill().count(), form.Drill().errors()};
    return result;
}
