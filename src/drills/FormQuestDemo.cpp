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
    // Not shown (the window has no caption bar); a screen reader says it.
    setWindowTitle(QStringLiteral("Просмотр вопросов"));
    setHelpTopic(this, QStringLiteral("QuestDemo"));
    MemoQuest = addMemoPanel({14, 14, 527, 150});
    MemoQuest->setAccessibleName(QStringLiteral("Вопрос"));
    BtnImgD1QF1 = addNextButton(QStringLiteral("Далее"), 70);
    connect(BtnImgD1QF1, &QPushButton::clicked, this, &TFormQuestDemo::BitBtn1Click);
    LabelSelect = addCounter(QStringLiteral("Осталось"), 200);
    LabelCount = addCounter(QStringLiteral("Всего"), 290);
    BtnImgTransD1QF1 = addBarButton(SymbolHelp, QStringLiteral("Помощь"), 400);
    connect(BtnImgTransD1QF1, &QAbstractButton::clicked, this, &TFormQuestDemo::BitBtn2Click);
    BtnImgTransD1QF2 = addBarButton(pictures::symbolLeave, QStringLiteral("Выход"), 490);
    connect(BtnImgTransD1QF2, &QAbstractButton::clicked, this,
            &TFormQuestDemo::BtnImgTransD1QF2Click);
}

bool TFormQuestDemo::Load(const DrillFiles& files)
{
    DrillLoad<QuestionRecord> load = loadQuestions(files, false);
    if (load.runnable)
        preview_.emplace(load.items);
    return acceptLoad(load);
}

void TFormQuestDemo::start()
{
    preview_->start();
    showQuestion();
    LabelCount->setText(QString::number(preview_->count()));
}

void TFormQuestDemo::showQuestion()
{
    MemoQuest->setPlainText(preview_->currentItem().text);
    LabelSelect->setText(QString::number(preview_->remaining()));
}

void TFormQuestDemo::BitBtn1Click()
{
    if (preview_->next())
        showQuestion();
    else
        closeDialog(*this, DialogResult::OK);
}

void TFormQuestDemo::BitBtn2Click()
{
    showHelpFor(this);
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
    form.placeAt(centreX, centreY);
    if (!form.Load({textFile, transFile, timingFile, soundFile}))
        return LaunchResult::Left;
    form.start();
    return launchResultOf(execDialog(form), LaunchResult::Left);
}
