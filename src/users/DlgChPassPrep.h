#pragma once

#include <QDialog>

class QLineEdit;

// Changes the teacher's password: typed twice, checked, then stored.
class TDlgChPassPrep : public QDialog {
    Q_OBJECT
public:
    explicit TDlgChPassPrep(QWidget* parent = nullptr);

    QLineEdit* Edit1;
    QLineEdit* Edit2;

    // FormCloseQuery: OK closes only when the checks pass and the password was stored.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override; // FormShow
};
