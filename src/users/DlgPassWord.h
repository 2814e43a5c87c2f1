#pragma once

#include <QDialog>

class QLineEdit;

// The password prompt: one hidden edit, OK and Cancel. Used to select and
// delete users and for the teacher's login.
class TDlgPassWord : public QDialog {
    Q_OBJECT
public:
    explicit TDlgPassWord(QWidget* parent = nullptr);

    QString password() const;

    QLineEdit* EditPassWord;

protected:
    void showEvent(QShowEvent* event) override; // FormShow
};
