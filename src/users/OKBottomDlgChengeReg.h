#pragma once

#include <QDialog>

class QRadioButton;
class UserSession;
class TBtnImgD1QF;

// The work mode dialog. It keeps its last choice between uses ("A" at first);
// it is not set from the current mode.
class TOKBottomDlgChengeReg : public QDialog {
    Q_OBJECT
public:
    explicit TOKBottomDlgChengeReg(QWidget* parent = nullptr);

    // The letter of the first checked radio button, in the order A, B, C, D.
    QString selectedMode() const;

    QRadioButton* RadioButtonA;
    QRadioButton* RadioButtonB;
    QRadioButton* RadioButtonC;
    QRadioButton* RadioButtonD;
    TBtnImgD1QF* BtnImgD1QF1;
    TBtnImgD1QF* BtnImgD1QF2;
    TBtnImgD1QF* BtnImgD1QF3;

protected:
    void showEvent(QShowEvent* event) override;
};

// The main window's "Изменить режим...": runs the dialog and, on OK, gives the
// current user the chosen mode (a named user's progress starts afresh). True
// when the main window must now switch to the same user again.
bool changeWorkMode(TOKBottomDlgChengeReg& dialog, UserSession& session);
