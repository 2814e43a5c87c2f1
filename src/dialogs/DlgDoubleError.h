#pragma once

#include "dialogs/DlgFrame.h"

class TMemo;
class TBtnImgD1QF;

// After a second miss: the choice was wrong, and here is the right answer
// (a German text).
class TDlgDoubleError : public TDlgFrame {
    Q_OBJECT
public:
    explicit TDlgDoubleError(QWidget* parent = nullptr);

    // Shows the correct answer, modally.
    void ShowMdText(const QString& text);
    // Fills the answer area without showing the window.
    void SetMdText(const QString& text);

    TMemo* Memo1;
    TMemo* MemoTrueQuest;
    TBtnImgD1QF* BtnImgD1QF1;
};

// The lexicon's variant: the right answer is a Russian translation.
class TDlgLexicError : public TDlgDoubleError {
    Q_OBJECT
public:
    explicit TDlgLexicError(QWidget* parent = nullptr);
};

TDlgDoubleError* DlgDoubleError();
TDlgLexicError* DlgLexicError();
