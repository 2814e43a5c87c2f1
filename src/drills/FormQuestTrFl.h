#pragma once

#include "drills/DrillWindow.h"
#include "drills/Statements.h"

#include <optional>

class QPushButton;
class QRadioButton;
class QTextEdit;
class TFormQuestEnd;

// The true/false statements: a statement at random, the student answers
// "Да" or "Нет"; no second try. Standard controls on the standard face.
class TFormQuestTrFl : public DrillWindow {
    Q_OBJECT
public:
    explicit TFormQuestTrFl(QWidget* parent = nullptr);

    // Reads the statement file set; reports a fault. False when there is no
    // statement to ask.
    bool Load(const DrillFiles& files);
    // Starts the run: the first statement and the counters.
    void start();
    void SelectNext();
    void BitBtnNextClick();
    void BitBtn1Click();
    void BitBtnPlayClick();

    const TrueFalseDrill& drill() const { return *drill_; }

    QTextEdit* MemoQuest;
    QRadioButton* RadioButtonYes;
    QRadioButton* RadioButtonNo;
    QPushButton* BitBtn1;
    QPushButton* BitBtnNext;
    QPushButton* BitBtnPlay;
    QPushButton* BitBtn3;
    QPushButton* BitBtn4;
    QLabel* LabelSelect;
    QLabel* LabelCount;
    QLabel* LabelError;

protected:
    // The arrows and the digits 1 ("Да") and 2 ("Нет") choose the answer,
    // see ChoiceKeys.h, from any control; the two answers themselves are
    // watched, as a radio button would move by the arrows only where its
    // neighbour lies in the arrow's direction.
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Escape is the "Cancel" button here, which gives Ignore.
    void reject() override { closeDialog(*this, DialogResult::Ignore); }

private:
    void showStatement();
    // Chooses the answer that the key stands for; false for other keys.
    bool chooseByKey(const QKeyEvent& event);

    std::optional<TrueFalseDrill> drill_;
};

// Fills the results window from a finished run: the totals, the header and
// one row per statement in file order; rows of an earlier, longer run are
// cleared.
void fillQuestEnd(TFormQuestEnd& results, const TrueFalseDrill& drill);
