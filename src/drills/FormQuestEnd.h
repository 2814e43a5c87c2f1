#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class QTableWidget;

// The results of a true/false run: each statement with its right answer and
// whether the student's answer was right, and the totals. Made once and
// reused; the true/false launch fills it and shows it.
class TFormQuestEnd : public QDialog {
    Q_OBJECT
public:
    explicit TFormQuestEnd(QWidget* parent = nullptr);

    // Rows the grid shows without growing.
    static constexpr int GridRows = 49;

    QTableWidget* StringGridRes;
    QLabel* LabelCount;
    QLabel* LabelError;
    QLabel* LabelComent;
    QPushButton* BitBtn1;
};

TFormQuestEnd* FormQuestEnd();
