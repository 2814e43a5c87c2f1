#pragma once

#include "drills/DrillWindow.h"
#include "drills/Questions.h"

#include <optional>

class QTextEdit;

// The question preview: the after-text questions in file order, without
// answers.
class TFormQuestDemo : public DrillWindow {
    Q_OBJECT
public:
    explicit TFormQuestDemo(QWidget* parent = nullptr);

    // Reads the questions (and the timing file when named); reports a fault.
    // False when there is nothing to show.
    bool Load(const DrillFiles& files);
    // Shows the first question and the counters.
    void start();
    void BitBtn1Click();
    void BitBtn2Click();
    void BtnImgTransD1QF2Click();

    QTextEdit* MemoQuest;
    TBtnImgD1QF* BtnImgD1QF1;
    TBtnImgTransD1QF* BtnImgTransD1QF1;
    TBtnImgTransD1QF* BtnImgTransD1QF2;
    QLabel* LabelSelect;
    QLabel* LabelCount;

private:
    void showQuestion();

    std::optional<QuestionPreview> preview_;
};
