#include "app/HelpViewer.h"

#include "app/HelpTopics.h"
#include "common/CourseError.h"
#include "dialogs/DlgMessage.h"
#include "widgets/HelpContext.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPointer>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {

QString& helpFile()
{
    static QString name = HelpFileName;
    return name;
}

QPointer<QWidget>& viewer()
{
    static QPointer<QWidget> window;
    return window;
}

// Escape closes the help, as it closes a dialog.
class HelpWindow : public QWidget {
public:
    explicit HelpWindow(QWidget* owner) : QWidget(owner, Qt::Window) {}

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
            close();
        else
            QWidget::keyPressEvent(event);
    }
};

// A modal window blocks every window but its own children, so the help
// window belongs to the window that asked for it.
QWidget* makeViewer()
{
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner)
        owner = QApplication::activeWindow();
    // Asked from the help window itself (F1 there), it stays as it is. A
    // closed one is only waiting to be deleted, and is never shown again.
    if (viewer() && viewer()->isVisible() &&
        (owner == viewer() || viewer()->parentWidget() == owner))
        return viewer();
    delete viewer();
    auto* window = new HelpWindow(owner);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setWindowTitle(QStringLiteral("Справка"));
    window->resize(640, 560);
    auto* browser = new QTextBrowser(window);
    browser->setObjectName(QStringLiteral("HelpBrowser"));
    (new QVBoxLayout(window))->addWidget(browser);
    window->layout()->setContentsMargins(0, 0, 0, 0);
    viewer() = window;
    return window;
}

// Beside the window that asked, where the screen has room for it, so that
// the student reads the help and sees the window it explains; else centred
// on that window.
void place(QWidget* window)
{
    const QWidget* owner = window->parentWidget();
    const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
    const QRect free = screen->availableGeometry();
    QRect help(QPoint(0, 0), window->frameGeometry().size());
    if (!owner) {
        help.moveCenter(free.center());
        window->move(help.topLeft());
        return;
    }
    const QRect program = owner->window()->frameGeometry();
    help.moveCenter(program.center());
    if (program.right() + help.width() < free.right())
        help.moveLeft(program.right() + 1);
    else if (program.left() - help.width() > free.left())
        help.moveRight(program.left() - 1);
    help.moveTop(qBound(free.top(), help.top(), qMax(free.top(), free.bottom() - help.height())));
    window->move(help.topLeft());
}

void showAnchor(const QString& anchor)
{
    const QFileInfo file(helpFile());
    if (!file.isFile() || !file.isReadable()) {
        showFileProblems({CourseError{helpFile(), 0, UnreadableFileText}.userText()},
                         FileFault::Error);
        return;
    }
    QWidget* window = makeViewer();
    auto* browser = window->findChild<QTextBrowser*>();
    QUrl url = QUrl::fromLocalFile(file.absoluteFilePath());
    // The anchor's name as it stands: a "%" in it is no escape.
    url.setFragment(anchor, QUrl::DecodedMode);
    // The file's name does not say it is HTML, so the type is given.
    browser->setSource(url, QTextDocument::HtmlResource);
    if (!window->isVisible())
        place(window);
    window->show();
    window->raise();
    window->activateWindow();
}

class HelpKeyFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress ||
            static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1 || !watched->isWidgetType())
            return false;
        showHelpFor(static_cast<QWidget*>(watched));
        return true;
    }
};

} // namespace

void setHelpFile(const QString& name)
{
    helpFile() = name;
    setHelpHandler([](int context) { showAnchor(helpAnchor(context)); });
    setHelpTopicHandler(showAnchor);
}

void installHelpKey()
{
    static HelpKeyFilter* filter = nullptr;
    if (!filter) {
        filter = new HelpKeyFilter(qApp);
        qApp->installEventFilter(filter);
    }
}

QWidget* helpViewer()
{
    return viewer();
}
