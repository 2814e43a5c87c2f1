#pragma once

#include "dialogs/DlgFrame.h"

class QLabel;
class TMemo;
class TBtnImgD1QF;
class TBtnImgTransD1QF;

// The completion dialog: mark the exercise done (OK), repeat it (Retry) or
// leave it (Cancel). The caller writes MemoComent and enables or disables
// BitBtnOk and Label2 before showing it.
class TDlgLexRepit : public TDlgFrame {
    Q_OBJECT
public:
    enum Result { Ok = 1, Cancel = 2, Retry = 4 };

    explicit TDlgLexRepit(QWidget* parent = nullptr);

    TMemo* MemoComent;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    TBtnImgTransD1QF* BitBtnOk;
    TBtnImgD1QF* BitBtn3;
    TBtnImgD1QF* BitBtn2;

public slots:
    void BitBtnOkClick();

protected:
    // Enter marks the exercise done where that is offered, else leaves it;
    // it never repeats the exercise.
    void keyPressEvent(QKeyEvent* event) override;
};

TDlgLexRepit* DlgLexRepit();
