#pragma once

#include <QWidget>

class QLabel;
class TPrgssBarQF;

// The small "please wait" window shown while the course tree is built.
class TFormProgress : public QWidget {
    Q_OBJECT
public:
    explicit TFormProgress(QWidget* parent = nullptr);

    QLabel* Label1;
    TPrgssBarQF* ProgressBarTree;
};
