#include "drills/FormQuestDemo.h"

#include "drills/DrillLaunch.h"
#include "widgets/BtnImgD1QF.h"
#include "widgets/BtnImgTransD1QF.h"
#include "widgets/HelpContext.h"
#include "widgets/PicturePaths.h"

#include <QLabel>
#include <QTextEdit>

TFormQuestDemo::TFormQuestDemo(QWidget* parent) : DrillWindow({555, 251}, parent)
{
    SetHelpTopic(this, QStringLiteral("QuestDemo"));
    MemoQuest = AddMemoPanel({14, 14, 527, 150});
    BtnImgD1QF1 = AddNextButton(QStringLiteral("Далее"), 70);
    connect(BtnImgD1QF1, &QPushButton::clicked, this, &TFormQuestDemo::BitBtn1Click);
    LabelSelect = AddCounter(QStringLiteral("Осталось"), 200);
    LabelCount = AddCounter(QStringLiteral("Всего"), 290);
    BtnImgTransD1QF1 = AddBarButton(SymbolHelp, QStringLiteral("Помощь"), 400);
    connect(BtnImgTransD1QF1, &QAbstractButton::clicked, this, &TFormQuestDemo::BitBtn2Click);
    BtnImgTransD1QF2 = AddBarButton(pictures::symbolLeave, QStringLiteral("Выход"), 490);
    connect(BtnImgTransD1QF2, &QAbstractButton::clicked, this,
            &TFormQuestDemo::BtnImgTransD1QF2Click);
}

bool TFormQuestDemo::Load(const DrillFiles& files)
{
    DrillLoad<QuestionRecord> load = loadQuestions(files, false);
    if (load.runnable)
        preview_.emplace(load.items);
    return AcceptLoad(load);
}

void TFormQuestDemo::Start()
{
    preview_->start();
    ShowQuestion();
    LabelCount->setText(QString::number(preview_->count()));
}

void TFormQuestDemo::ShowQuestion()
{
    MemoQuest->setPlainText(preview_->currentItem().text);
    LabelSelect->setText(QString::number(preview_->remaining()));
}

void TFormQuestDemo::BitBtn1Click()
{
    if (preview_->next())
        ShowQuestion();
    else
        closeDialog(*this, DialogResult::OK);
}

void TFormQuestDemo::BitBtn2Click()
{
    ShowHelpFor(this);
}

void TFormQuestDemo::BtnImgTransD1QF2Click()
{
    closeDialog(*this, DialogResult::Cancel);
}

LaunchResult ExecuteQuestDemo(int centreX, int centreY, const QString& textFile,
                              const QString& transFile, const QString& timingFile,
                              const QString& soundFile)
{
    TFormQuestDemo form;
    form.PlaceAt(centreX, centreY);
    if (!form.Load({textFile, transFile, timingFile, soundFile}))
        return LaunchResult::Left;
    form.Start();
    return launchResultOf(execDialog(form), LaunchResult::Left);
}
