#include "drills/FormExecLexicDemo.h"

#include "drills/DrillLaunch.h"
#include "widgets/BtnImgD1QF.h"
#include "widgets/BtnImgTransD1QF.h"
#include "widgets/HelpContext.h"
#include "widgets/PicturePaths.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TFormExecLexicDemo::TFormExecLexicDemo(QWidget* parent) : DrillWindow({550, 246}, parent)
{
    SetHelpTopic(this, QStringLiteral("LexicDemo"));
    EditText = AddTextPanel(QStringLiteral("Исходное выражение"), {14, 12, 420, 60});
    EditTranslate = AddTextPanel(QStringLiteral("Перевод"), {14, 78, 420, 60});
    BitBtnPlay = new QPushButton(QStringLiteral("Проиграть"), this);
    BitBtnPlay->setGeometry(448, 32, 88, 28);
    connect(BitBtnPlay, &QPushButton::clicked, this, &TFormExecLexicDemo::BitBtnPlayClick);

    BtnImgD1QF1 = AddNextButton(QStringLiteral("Далее"), 70);
    connect(BtnImgD1QF1, &QPushButton::clicked, this, &TFormExecLexicDemo::BitBtn1Click);
    LabelSelect = AddCounter(QStringLiteral("Осталось:"), 200);
    LabelCount = AddCounter(QStringLiteral("Всего:"), 290);
    BtnImgTransD1QF1 = AddBarButton(SymbolHelp, QStringLiteral("Помощь"), 400);
    connect(BtnImgTransD1QF1, &QAbstractButton::clicked, this, &TFormExecLexicDemo::BitBtn2Click);
    BtnImgTransD1QF2 = AddBarButton(pictures::symbolLeave, QStringLiteral("Выход"), 490);
    connect(BtnImgTransD1QF2, &QAbstractButton::clicked, this,
            &TFormExecLexicDemo::ImageButton3Click);
}

bool TFormExecLexicDemo::Load(const DrillFiles& files)
{
    BitBtnPlay->setVisible(!files.timing.isEmpty());
    SetPlayButton(BitBtnPlay, files.sound);
    DrillLoad<LexiconItem> load = loadLexicon(files);
    if (load.runnable)
        preview_.emplace(load.items);
    return AcceptLoad(load, ReadErrorTextsText);
}

void TFormExecLexicDemo::SetInitialData()
{
    preview_->start();
    ShowCurrent();
    LabelCount->setText(QString::number(preview_->count()));
}

void TFormExecLexicDemo::ShowCurrent()
{
    EditText->setText(preview_->currentItem().expression);
    EditTranslate->setText(preview_->currentItem().translation);
    LabelSelect->setText(QString::number(preview_->remaining()));
}

void TFormExecLexicDemo::BitBtn1Click()
{
    if (preview_->next())
        ShowCurrent();
    else
        closeDialog(*this, DialogResult::OK);
}

void TFormExecLexicDemo::BitBtn2Click()
{
    ShowHelpFor(this);
}

void TFormExecLexicDemo::BitBtnPlayClick()
{
    PlaySegment(preview_->currentItem().start, preview_->currentItem().end);
}

void TFormExecLexicDemo::ImageButton3Click()
{
    closeDialog(*this, DialogResult::Cancel);
}

LaunchResult ExecuteLexicDemo(int centreX, int centreY, const QString& textFile,
                              const QString& transFile, const QString& timingFile,
                              const QString& soundFile)
{
    TFormExecLexicDemo form;
    form.PlaceAt(centreX, centreY);
    if (!form.Load({textFile, transFile, timingFile, soundFile}))
        return LaunchResult::Cancelled;
    form.SetInitialData();
    return launchResultOf(execDialog(form), LaunchResult::Cancelled);
}
