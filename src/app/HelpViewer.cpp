#include "app/HelpViewer.h"

#include "app/ErrorMessage.h"
#include "app/HelpTopics.h"
#include "widgets/HelpContext.h"

#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPointer>
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

// A modal window blocks every window but its own children, so the help
// window belongs to the window that asked for it.
QWidget* makeViewer()
{
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner)
        owner = QApplication::activeWindow();
    if (viewer() && viewer()->parentWidget() == owner)
        return viewer();
    delete viewer();
    auto* window = new QWidget(owner, Qt::Window);
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

void showAnchor(const QString& anchor)
{
    const QFileInfo file(helpFile());
    if (!file.isFile() || !file.isReadable()) {
        showError(QStringLiteral("Файл справки \"%1\" не найден.").arg(helpFile()));
        return;
    }
    QWidget* window = makeViewer();
    auto* browser = window->findChild<QTextBrowser*>();
    QUrl url = QUrl::fromLocalFile(file.absoluteFilePath());
    url.setFragment(anchor);
    // The file's name does not say it is HTML, so the type is given.
    browser->setSource(url, QTextDocument::HtmlResource);
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
        ShowHelpFor(static_cast<QWidget*>(watched));
        return true;
    }
};

} // namespace

void setHelpFile(const QString& name)
{
    helpFile() = name;
    SetHelpHandler(showHelpContext);
    SetHelpTopicHandler(showHelpTopic);
}

void showHelpContext(int context)
{
    showAnchor(helpAnchor(context));
}

void showHelpTopic(const QString& topic)
{
    showAnchor(topic);
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
