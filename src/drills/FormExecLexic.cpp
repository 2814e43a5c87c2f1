#include "drills/FormExecLexic.h"

#include "dialogs/DrillDialogs.h"
#include "drills/DrillLaunch.h"
#include "widgets/BtnImgTransD1QF.h"
#include "widgets/HelpContext.h"
#include "widgets/PicturePaths.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>

TFormExecLexic::TFormExecLexic(QWidget* parent) : DrillWindow({680, 471}, parent)
{
    setHelpTopic(this, QStringLiteral("Lexic"));
    // Not shown (the window has no caption bar); a screen reader says it.
    setWindowTitle(QStringLiteral("Тренировка лексики"));
    BitBtnPlay = new QPushButton(QStringLiteral("Play"), this);
    BitBtnPlay->setGeometry(16, 14, 75, 25);
    connect(BitBtnPlay, &QPushButton::clicked, this, &TFormExecLexic::BitBtnPlayClick);
    addTempoChoice({104, 14, 130, 25});

    EditText = addTextPanel(QStringLiteral("Исходное выражение"), {16, 46, 648, 64});

    addCaption(QStringLiteral("Выберите правильный перевод"), {16, 118});
    ListBoxTrans = new QListWidget(this);
    ListBoxTrans->setGeometry(16, 138, 648, 238);
    ListBoxTrans->setFrameShape(QFrame::NoFrame);
    ListBoxTrans->setFlow(QListView::TopToBottom);
    ListBoxTrans->setWrapping(true);
    ListBoxTrans->setGridSize({ListBoxTrans->width() / 2 - 2, 18});
    ListBoxTrans->setUniformItemSizes(true);
    connect(ListBoxTrans, &QListWidget::itemDoubleClicked, this, &TFormExecLexic::BitBtnNextClick);
    ListBoxTrans->setAccessibleName(QStringLiteral("Выберите правильный перевод"));

    BitBtnNext = new QPushButton(QStringLiteral("ОК"), this);
    BitBtnNext->hide();
    setEnterButton(BitBtnNext);
    connect(BitBtnNext, &QPushButton::clicked, this, &TFormExecLexic::BitBtnNextClick);

    BtnImgTransD1QF1 = addBarButton(pictures::symbolCheck, QStringLiteral("Подтверждение"), 80);
    connect(BtnImgTransD1QF1, &QAbstractButton::clicked, this, &TFormExecLexic::BitBtnNextClick);
    LabelSelect = addCounter(QStringLiteral("Осталось"), 230);
    LabelCount = addCounter(QStringLiteral("Всего"), 320);
    LabelError = addCounter(QStringLiteral("Ошибок"), 410);
    BtnImgTransD1QF2 = addBarButton(SymbolHelp, QStringLiteral("Помощь"), 530);
    connect(BtnImgTransD1QF2, &QAbstractButton::clicked, this, &TFormExecLexic::BitBtn1Click);
    BtnImgTransD1QF3 = addBarButton(pictures::symbolLeave, QStringLiteral("Выход"), 620);
    connect(BtnImgTransD1QF3, &QAbstractButton::clicked, this, &TFormExecLexic::ImageButton3Click);
}

bool TFormExecLexic::Load(const DrillFiles& files)
{
    BitBtnPlay->setVisible(!files.timing.isEmpty());
    setPlayButton(BitBtnPlay, files.sound);
    DrillLoad<LexiconItem> load = loadLexicon(files);
    if (load.runnable) {
        drill_.emplace(load.items);
        ListBoxTrans->addItems(drill_->translations());
    }
    return acceptLoad(load);
}

void TFormExecLexic::showEvent(QShowEvent* event)
{
    DrillWindow::showEvent(event);
    if (event->spontaneous())
        return;
    // The keys choose in the list from the start (not in the tempo choice
    // before it); Tab leads to the other controls.
    ListBoxTrans->setFocus();
    if (drill_)
        SetInitialData();
}

void TFormExecLexic::SetInitialData()
{
    drill_->start();
    showCurrent();
    showCounters();
}

void TFormExecLexic::SelectNextLexic()
{
    drill_->selectNext();
    showCurrent();
}

void TFormExecLexic::showCurrent()
{
    EditText->setText(drill_->currentItem().expression);
    ListBoxTrans->setCurrentRow(0);
}

void TFormExecLexic::showCounters()
{
    LabelSelect->setText(QString::number(drill_->remaining()));
    LabelCount->setText(QString::number(drill_->count()));
    LabelError->setText(QString::number(drill_->errors()));
}

void TFormExecLexic::BitBtnNextClick()
{
    const QListWidgetItem* chosen = ListBoxTrans->currentItem();
    const LexiconDrill::Answer answer = drill_->answer(chosen ? chosen->text() : QString());
    switch (answer.outcome) {
    case LexiconDrill::Outcome::Right:
        if (answer.finished) {
            showCounters();
            closeDialog(*this, DialogResult::OK);
            return;
        }
        break;
    case LexiconDrill::Outcome::FirstMiss:
        showErrorDo();
        return;
    case LexiconDrill::Outcome::SecondMiss:
        showLexicError(answer.expected);
        break;
    }
    showCurrent();
    showCounters();
}

void TFormExecLexic::BitBtnStepOverClick()
{
    SelectNextLexic();
}

void TFormExecLexic::BitBtnPlayClick()
{
    playSegment(drill_->currentItem().start, drill_->currentItem().end);
}

void TFormExecLexic::BitBtn1Click()
{
    showHelpFor(this);
}

void TFormExecLexic::ImageButton3Click()
{
    closeDialog(*this, DialogResult::Cancel);
}

LaunchResult ExecuteLexic(int centreX, int centreY, const QString& textFile,
                          const QString& transFile, const QString& timingFile,
                          const QString& soundFile)
{
    TFormExecLexic form;
    form.placeAt(centreX, centreY);
    if (!form.Load({textFile, transFile, timingFile, soundFile}))
        return LaunchResult::Left;
    return launchResultOf(execDialog(form), LaunchResult::Left);
}
