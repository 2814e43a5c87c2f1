#include "drills/FormQuestTrFl.h"

#include "drills/ChoiceKeys.h"
#include "drills/DrillLaunch.h"
#include "drills/FormQuestEnd.h"
#include "widgets/FitText.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTextEdit>

namespace {
QPushButton* addButton(QWidget* parent, const QString& text, int x)
{
    auto* button = new QPushButton(text, parent);
    button->setAutoDefault(false);
    button->setGeometry(x, 160, 96, 26);
    return button;
}

QLabel* addInfoLine(QWidget* box, const QString& caption, int y)
{
    auto* label = new QLabel(caption, box);
    label->setGeometry(10, y, 80, 18);
    fitLabel(*label);
    auto* value = new QLabel(QStringLiteral("0000"), box);
    value->setGeometry(95, y, 60, 18);
    value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return value;
}
} // namespace

TFormQuestTrFl::TFormQuestTrFl(QWidget* parent) : DrillWindow({553, 197}, parent)
{
    // This window keeps the standard face and controls.
    setPalette(QApplication::palette());
    setFont(QApplication::font());
    setWindowTitle(QStringLiteral("Верно или неверно"));

    auto* label8 = new QLabel(QStringLiteral("Ответе на вопрос"), this);
    label8->setGeometry(10, 8, 300, 18);
    fitLabel(*label8);
    MemoQuest = new QTextEdit(this);
    MemoQuest->setReadOnly(true);
    MemoQuest->setAccessibleName(QStringLiteral("Утверждение"));
    // Display only, as in the other drills: the keys go to the answer.
    MemoQuest->setFocusPolicy(Qt::NoFocus);
    MemoQuest->setGeometry(10, 28, 356, 66);
    QFont statement = MemoQuest->font();
    statement.setPixelSize(16);
    MemoQuest->setFont(statement);

    auto* radioGroup1 = new QGroupBox(QStringLiteral("Варианты ответов"), this);
    radioGroup1->setGeometry(10, 100, 356, 50);
    RadioButtonYes = new QRadioButton(QStringLiteral("Да"), radioGroup1);
    // Sized to their text: a radio button takes clicks on its circle and text only.
    RadioButtonYes->move(20, 22);
    RadioButtonYes->adjustSize();
    RadioButtonYes->setChecked(true);
    RadioButtonNo = new QRadioButton(QStringLiteral("Нет"), radioGroup1);
    RadioButtonNo->move(180, 22);
    RadioButtonNo->adjustSize();
    RadioButtonYes->installEventFilter(this);
    RadioButtonNo->installEventFilter(this);

    auto* info = new QGroupBox(this);
    info->setGeometry(380, 8, 163, 142);
    auto* label1 = new QLabel(QStringLiteral("Информация"), info);
    label1->setGeometry(10, 8, 140, 18);
    fitLabel(*label1);
    LabelSelect = addInfoLine(info, QStringLiteral("Осталось:"), 40);
    LabelCount = addInfoLine(info, QStringLiteral("Всего:"), 70);
    LabelError = addInfoLine(info, QStringLiteral("Ошибок:"), 100);
    addTempoChoice({236, 3, 130, 23});

    BitBtn1 = addButton(this, QStringLiteral("OK"), 10);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormQuestTrFl::BitBtn1Click);
    BitBtnNext = addButton(this, QStringLiteral("Пропустить"), 116);
    connect(BitBtnNext, &QPushButton::clicked, this, &TFormQuestTrFl::BitBtnNextClick);
    BitBtnPlay = addButton(this, QStringLiteral("Проиграть"), 222);
    connect(BitBtnPlay, &QPushButton::clicked, this, &TFormQuestTrFl::BitBtnPlayClick);
    BitBtn3 = addButton(this, QStringLiteral("Cancel"), 340);
    connect(BitBtn3, &QPushButton::clicked, this,
            [this] { closeDialog(*this, DialogResult::Ignore); });
    BitBtn4 = addButton(this, QStringLiteral("&Close"), 446);
    connect(BitBtn4, &QPushButton::clicked, this,
            [this] { closeDialog(*this, DialogResult::Cancel); });
}

bool TFormQuestTrFl::Load(const DrillFiles& files)
{
    // Without a timing file there is nothing to play.
    BitBtnPlay->setVisible(!files.timing.isEmpty());
    setPlayButton(BitBtnPlay, files.sound);
    DrillLoad<TrueFalseItem> load = loadStatements(files);
    if (load.runnable)
        drill_.emplace(load.items);
    return acceptLoad(load);
}

void TFormQuestTrFl::start()
{
    drill_->start();
    showStatement();
}

void TFormQuestTrFl::SelectNext()
{
    drill_->selectNext();
    showStatement();
}

void TFormQuestTrFl::showStatement()
{
    MemoQuest->setPlainText(drill_->currentItem().text);
    // A screen reader says the statement with the answer that has the focus.
    for (QRadioButton* answer : {RadioButtonYes, RadioButtonNo})
        answer->setAccessibleDescription(drill_->currentItem().text);
    LabelSelect->setText(QString::number(drill_->remaining()));
    LabelCount->setText(QString::number(drill_->count()));
    LabelError->setText(QString::number(drill_->errors()));
}

void TFormQuestTrFl::BitBtnNextClick()
{
    SelectNext();
}

void TFormQuestTrFl::BitBtn1Click()
{
    if (drill_->answer(RadioButtonYes->isChecked()))
        closeDialog(*this, DialogResult::OK);
    else
        showStatement();
}

void TFormQuestTrFl::keyPressEvent(QKeyEvent* event)
{
    if (!chooseByKey(*event))
        DrillWindow::keyPressEvent(event);
}

bool TFormQuestTrFl::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && chooseByKey(*static_cast<QKeyEvent*>(event)))
        return true;
    return DrillWindow::eventFilter(watched, event);
}

bool TFormQuestTrFl::chooseByKey(const QKeyEvent& event)
{
    const std::optional<int> current = RadioButtonYes->isChecked()  ? std::optional<int>(0)
                                       : RadioButtonNo->isChecked() ? std::optional<int>(1)
                                                                    : std::nullopt;
    const std::optional<int> to = event.modifiers() & ~Qt::KeypadModifier
                                      ? std::nullopt
                                      : choiceByKey(event.key(), current, 2);
    if (!to)
        return false;
    QRadioButton* chosen = *to == 0 ? RadioButtonYes : RadioButtonNo;
    chosen->setChecked(true);
    chosen->setFocus(Qt::TabFocusReason);
    return true;
}

void TFormQuestTrFl::BitBtnPlayClick()
{
    playSegment(drill_->currentItem().start, drill_->currentItem().end);
}

void fillQuestEnd(TFormQuestEnd& results, const TrueFalseDrill& drill)
{
    results.LabelCount->setText(QString::number(drill.count()));
    results.LabelError->setText(QString::number(drill.errors()));
    results.LabelComent->setText(QStringLiteral("Комментарий"));
    QTableWidget* grid = results.StringGridRes;
    grid->setHorizontalHeaderLabels(
        {QStringLiteral("Вопрос"), QStringLiteral("Ответ"), QStringLiteral("Ваш ответ")});
    grid->clearContents();
    const QList<QStringList> rows = resultRows(drill.items());
    // The grid grows for a longer run, so that no statement is out of reach.
    grid->setRowCount(std::max<int>(TFormQuestEnd::GridRows, int(rows.size())));
    for (int row = 0; row < rows.size(); ++row)
        for (int column = 0; column < 3; ++column)
            grid->setItem(row, column, new QTableWidgetItem(rows[row][column]));
}

LaunchResult ExecuteQuestTrFl(int centreX, int centreY, const QString& textFile,
                              const QString& transFile, const QString& timingFile,
                              const QString& soundFile, DrillCounts* counts)
{
    if (counts)
        *counts = {};
    TFormQuestTrFl form;
    form.placeAt(centreX, centreY);
    if (!form.Load({textFile, transFile, timingFile, soundFile}))
        return LaunchResult::Left;
    form.start();
    const LaunchResult result = launchResultOf(execDialog(form), LaunchResult::Left);
    if (counts)
        *counts = {form.drill().count(), form.drill().errors()};
    if (result == LaunchResult::GoneThrough) {
        fillQuestEnd(*FormQuestEnd(), form.drill());
        FormQuestEnd()->exec();
    }
    return result;
}
