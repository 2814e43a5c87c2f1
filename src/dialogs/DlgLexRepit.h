#pragma once

#include "dialogs/DlgFrame.h"

class QLabel;
class TMemo;
class TBtnImgD1QF;
class TBtnImgTransD1QF;

// The completion dialog: mark the exercise done (DialogResult::OK), repeat
// it (Retry) or leave it (Cancel). The caller gives the outcome through
// setOutcome before showing it.
class TDlgLexRepit : public TDlgFrame {
    Q_OBJECT
public:
    explicit TDlgLexRepit(QWidget* parent = nullptr);

    // The text about the run, and whether marking it done is offered: the
    // button and its label always agree, so a label is never left greyed
    // while its button offers marking (or the other way round).
    void setOutcome(const QString& text, bool markable);

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
