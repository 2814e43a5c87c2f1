#include "app/FormProgress.h"

#include "widgets/ButtonPictures.h"
#include "widgets/FitText.h"
#include "widgets/Look.h"
#include "widgets/PrgssBarQF.h"

#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QWindow>

namespace {
// How long a window manager may take to put the window on screen.
constexpr int ExposeWaitMs = 300;
} // namespace

TFormProgress::TFormProgress(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("FormProgress"));
    // It comes and goes while the student works in another window, which
    // keeps the keyboard.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFixedSize(409, 67);
    look::fillBackground(this);

    auto* bevel = new QFrame(this);
    bevel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    bevel->setGeometry(rect());

    Label1 = new QLabel(QStringLiteral("Пожалуйста, подождите..."), this);
    Label1->setGeometry(4, 4, 401, 26);
    fitLabelsWhenShown({Label1}, look::arial(16));

    ProgressBarTree = new TPrgssBarQF(this);
    ProgressBarTree->setGeometry(4, 32, 401, 31);
    ProgressBarTree->SetMin(0);
    ProgressBarTree->SetMax(100);
    ProgressBarTree->SetPosition(0);
    ProgressBarTree->setAccessibleName(QStringLiteral("Построение дерева курса"));
    dressProgressBar(*ProgressBarTree);

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

void TFormProgress::showDrawn()
{
    show();
    QTimer giveUp;
    giveUp.setSingleShot(true);
    giveUp.start(ExposeWaitMs);
    // Only the window system's events and timers: no input, and no socket
    // (a termination signal) that would act in the middle of the work.
    while (!windowHandle()->isExposed() && giveUp.isActive())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents |
                                        QEventLoop::ExcludeSocketNotifiers |
                                        QEventLoop::WaitForMoreEvents);
    repaint();
}
