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
    // Not shown (the window has no caption bar); a screen reader says it.
    setWindowTitle(QStringLiteral("Просмотр лексики"));
    setHelpTopic(this, QStringLiteral("LexicDemo"));
    EditText = addTextPanel(QStringLiteral("Исходное выражение"), {14, 12, 420, 60});
    EditTranslate = addTextPanel(QStringLiteral("Перевод"), {14, 78, 420, 60});
    BitBtnPlay = new QPushButton(QStringLiteral("Проиграть"), this);
    BitBtnPlay->setGeometry(448, 32, 88, 28);
    connect(BitBtnPlay, &QPushButton::clicked, this, &TFormExecLexicDemo::BitBtnPlayClick);
    addTempoChoice({442, 70, 100, 26});

    BtnImgD1QF1 = addNextButton(QStringLiteral("Далее"), 70);
    connect(BtnImgD1QF1, &QPushButton::clicked, this, &TFormExecLexicDemo::BitBtn1Click);
    LabelSelect = addCounter(QStringLiteral("Осталось:"), 200);
    LabelCount = addCounter(QStringLiteral("Всего:"), 290);
    BtnImgTransD1QF1 = addBarButton(SymbolHelp, QStringLiteral("Помощь"), 400);
    connect(BtnImgTransD1QF1, &QAbstractButton::clicked, this, &TFormExecLexicDemo::BitBtn2Click);
    BtnImgTransD1QF2 = addBarButton(pictures::symbolLeave, QStringLiteral("Выход"), 490);
    connect(BtnImgTransD1QF2, &QAbstractButton::clicked, this,
            &TFormExecLexicDemo::ImageButton3Click);
}

bool TFormExecLexicDemo::Load(const DrillFiles& files)
{
    BitBtnPlay->setVisible(!files.timing.isEmpty());
    setPlayButton(BitBtnPlay, files.sound);
    DrillLoad<LexiconItem> load = loadLexicon(files);
    if (load.runnable)
        preview_.emplace(load.items);
    return acceptLoad(load, ReadErrorTextsText);
}

void TFormExecLexicDemo::SetInitialData()
{
    preview_->start();
    showCurrent();
    LabelCount->setText(QString::number(preview_->count()));
}

void TFormExecLexicDemo::showCurrent()
{
    EditText->setText(preview_->currentItem().expression);
    EditTranslate->setText(preview_->currentItem().translation);
    LabelSelect->setText(QString::number(preview_->remaining()));
}

void TFormExecLexicDemo::BitBtn1Click()
{
    if (preview_->next())
        showCurrent();
    else
        closeDialog(*this, DialogResult::OK);
}

void TFormExecLexicDemo::BitBtn2Click()
{
    showHelpFor(this);
}

void TFormExecLexicDemo::BitBtnPlayClick()
{
    playSegment(preview_->currentItem().start, preview_->currentItem().end);
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
    form.placeAt(centreX, centreY);
    if (!form.Load({textFile, transFile, timingFile, soundFile}))
        return LaunchResult::Cancelled;
    form.SetInitialData();
    return launchResultOf(execDialog(form), LaunchResult::Cancelled);
}
