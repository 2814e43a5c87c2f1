#pragma once

#include <QDialog>

class QLabel;
class QTabWidget;

// "О программе...": two pages, the product and its developers.
class TOKBottomDlgAbout : public QDialog {
    Q_OBJECT
public:
    explicit TOKBottomDlgAbout(QWidget* parent = nullptr);

    QTabWidget* PageControl1;

    // The pages' texts are laid out for the first showing: the dialog is
    // made at the start, and reading them is the first rich text a run meets.
    void setVisible(bool visible) override;

private:
    QWidget* makePage(QLabel* text);

    QLabel* product_;
    QLabel* developers_;
};
