#pragma once

#include <QDialog>

class QTabWidget;

// "О программе...": two pages, the product and its developers.
class TOKBottomDlgAbout : public QDialog {
    Q_OBJECT
public:
    explicit TOKBottomDlgAbout(QWidget* parent = nullptr);

    QTabWidget* PageControl1;

private:
    QWidget* makePage(const QString& text);
};
