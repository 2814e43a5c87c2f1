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
    // Escape is the "Cancel" button here, which gives Ignore.
    void reject() override { closeDialog(*this, DialogResult::Ignore); }

private:
    void showStatement();

    std::optional<TrueFalseDrill> drill_;
};

// Fills the results window from a finished run: the totals, the header and
// one row per statement in file order; rows of an earlier, longer run are
// cleared.
void fillQuestEnd(TFormQuestEnd& results, const TrueFalseDrill& drill);
