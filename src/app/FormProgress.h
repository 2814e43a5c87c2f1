#pragma once

#include <QWidget>

class QLabel;
class TPrgssBarQF;

// The small "please wait" window shown while the course tree is built.
class TFormProgress : public QWidget {
    Q_OBJECT
public:
    explicit TFormProgress(QWidget* parent = nullptr);

    // Shows the window and draws it at once, for work that holds up the
    // event loop: it waits (a moment at most) for the window to be on
    // screen, taking no input meanwhile.
    void showDrawn();

    QLabel* Label1;
    TPrgssBarQF* ProgressBarTree;
};
