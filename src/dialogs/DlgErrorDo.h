#pragma once

#include "dialogs/DlgFrame.h"

class QLabel;
class TBtnImgD1QF;

// After a first miss: the choice was wrong, try again.
class TDlgErrorDo : public TDlgFrame {
    Q_OBJECT
public:
    explicit TDlgErrorDo(QWidget* parent = nullptr);

    QLabel* Label1;
    QLabel* Label2;
    TBtnImgD1QF* BtnImgD1QF1;
};

TDlgErrorDo* DlgErrorDo();
