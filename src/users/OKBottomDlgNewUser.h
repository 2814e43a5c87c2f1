#pragma once

#include "users/NewUser.h"

#include <QDialog>

class QFileDialog;
class QLineEdit;
class QRadioButton;
class UserSession;

// The new-user dialog: name, password twice, the progress file and the mode.
// It refuses to close with OK until the input passes every check.
class TOKBottomDlgNewUser : public QDialog {
    Q_OBJECT
public:
    explicit TOKBottomDlgNewUser(const UserSession& session, QWidget* parent = nullptr);

    // Resets the dialog before each use.
    void StendInitial();
    NewUserInput input() const;

    QLineEdit* EditNameUser;
    QLineEdit* EditPassword;
    QLineEdit* EditPassword2;
    QLineEdit* EditFileName;
    QRadioButton* RadioButtonA;
    QRadioButton* RadioButtonB;
    QRadioButton* RadioButtonC;
    QRadioButton* RadioButtonD;
    QFileDialog* SaveDialog1 = nullptr; // made when first needed

    void done(int result) override; // FormCloseQuery

protected:
    bool eventFilter(QObject* watched, QEvent* event) override; // EditNameUserKeyPress
    void showEvent(QShowEvent* event) override;

private:
    void EditNameUserChange();
    void BitBtn1Click();

    const UserSession& session_;
};
