#pragma once

#include "drills/DrillWindow.h"
#include "drills/Lexicon.h"

#include <optional>

class QLineEdit;
class QListWidget;
class QPushButton;

// The lexicon drill: an expression at random, the student picks its
// translation from the list of all the lesson's translations.
class TFormExecLexic : public DrillWindow {
    Q_OBJECT
public:
    explicit TFormExecLexic(QWidget* parent = nullptr);

    // Reads the file set and fills the list; reports a fault. False when the
    // drill cannot run.
    bool Load(const DrillFiles& files);
    void SetInitialData();
    void SelectNextLexic();
    void BitBtnNextClick();
    void BitBtnStepOverClick();
    void BitBtnPlayClick();
    void BitBtn1Click();
    void ImageButton3Click();

    const LexiconDrill& drill() const { return *drill_; }

    QPushButton* BitBtnPlay;
    QLineEdit* EditText;
    QListWidget* ListBoxTrans;
    QPushButton* BitBtnNext;
    TBtnImgTransD1QF* BtnImgTransD1QF1;
    TBtnImgTransD1QF* BtnImgTransD1QF2;
    TBtnImgTransD1QF* BtnImgTransD1QF3;
    QLabel* LabelSelect;
    QLabel* LabelCount;
    QLabel* LabelError;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void showCurrent();
    void showCounters();

    std::optional<LexiconDrill> drill_;
};
