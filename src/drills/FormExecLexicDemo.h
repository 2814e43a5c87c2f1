#pragma once

#include "drills/DrillWindow.h"
#include "drills/Lexicon.h"

#include <optional>

class QLineEdit;
class QPushButton;
class TBtnImgD1QF;

// The lexicon preview: the expressions with their translations in file order.
class TFormExecLexicDemo : public DrillWindow {
    Q_OBJECT
public:
    explicit TFormExecLexicDemo(QWidget* parent = nullptr);

    // Reads the file set; reports a fault. False when the preview cannot run.
    bool Load(const DrillFiles& files);
    void SetInitialData();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtnPlayClick();
    void ImageButton3Click();

    const LexiconPreview& Preview() const { return *preview_; }

    QLineEdit* EditText;
    QLineEdit* EditTranslate;
    QPushButton* BitBtnPlay;
    TBtnImgD1QF* BtnImgD1QF1;
    TBtnImgTransD1QF* BtnImgTransD1QF1;
    TBtnImgTransD1QF* BtnImgTransD1QF2;
    QLabel* LabelSelect;
    QLabel* LabelCount;

private:
    void showCurrent();

    std::optional<LexiconPreview> preview_;
};
