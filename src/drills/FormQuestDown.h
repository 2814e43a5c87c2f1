#pragma once

#include "drills/DrillWindow.h"
#include "drills/Questions.h"

#include <optional>

class ChoiceGroup;
class QFrame;
class QPushButton;
class QTextEdit;
class TChBxImgTransD1QF;

// The after-text questions: a question at random with its answers shuffled
// over four positions; the student checks one box and confirms.
class TFormQuestDown : public DrillWindow {
    Q_OBJECT
public:
    explicit TFormQuestDown(QWidget* parent = nullptr);

    // Reads the question file set; reports a fault. False when the questions
    // cannot be asked.
    bool Load(const DrillFiles& files);
    // Starts the run: the first question and the counters.
    void start();
    void SelectNext();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BtnImgTransD1QF3Click();
    void RadioButton1Click() { ChoiceClick(0); }
    void RadioButton2Click() { ChoiceClick(1); }
    void RadioButton3Click() { ChoiceClick(2); }
    void RadioButton4Click() { ChoiceClick(3); }

    const QuestionDrill& drill() const { return *drill_; }

    QTextEdit* MemoQuest;
    // The four answer panels, a group for screen readers.
    ChoiceGroup* GroupAnswers;
    QFrame* PanelQ[MaxAnswers];
    TChBxImgTransD1QF* RadioButton[MaxAnswers];
    QTextEdit* Memo[MaxAnswers];
    QPushButton* BitBtn1;
    TBtnImgTransD1QF* BtnImgTransD1QF1;
    TBtnImgTransD1QF* BtnImgTransD1QF2;
    TBtnImgTransD1QF* BtnImgTransD1QF3;
    QLabel* LabelSelect;
    QLabel* LabelCount;
    QLabel* LabelError;

protected:
    // The arrows and the digits 1 to 4 choose an answer, see ChoiceKeys.h.
    void keyPressEvent(QKeyEvent* event) override;

private:
    // A choice by key: the box is checked alone and takes the focus, so
    // that the focus mark and a screen reader follow the choice.
    void choose(int position);
    // The handler of a choice box, before the box toggles itself: the other
    // boxes are unchecked.
    void ChoiceClick(int position);
    void showQuestion();
    void showCounters();

    std::optional<QuestionDrill> drill_;
};
