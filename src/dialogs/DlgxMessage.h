#pragma once

#include "dialogs/DlgFrame.h"

#include <QPixmap>
#include <QVector>

class QLabel;
class TMemo;
class TBtnImgD1QF;

// Index into ImageListIcon for a message-box icon code: the high half of the
// low byte picks error, question, warning or information; anything else
// shows information.
int iconPictureIndex(int iconCode);

// The message window, in place of the system's message box.
class TDlgxMessage : public TDlgFrame {
    Q_OBJECT
public:
    explicit TDlgxMessage(QWidget* parent = nullptr);

    // Fills the window for one message without showing it.
    void setMessage(const QString& text, const QString& caption, int iconCode);
    // The index of the picture now shown.
    int iconIndex() const { return iconIndex_; }

    QLabel* ImageIcon;
    TMemo* MemoMess;
    TBtnImgD1QF* BtnImgD1QF1;
    // Error, question, warning, information: 32 x 32, from the first message on.
    QVector<QPixmap> ImageListIcon;

private:
    int iconIndex_ = 3;
};

TDlgxMessage* DlgxMessage();
