// A help document of any bytes, opened by the help viewer at a context number
// or a topic name as the windows ask for it, and then at every anchor the
// document holds: the viewer shows the help file at the anchor asked for, in
// the one help window it keeps.
#include "FuzzSupport.h"
#include "app/HelpTopics.h"
#include "app/HelpViewer.h"
#include "widgets/HelpContext.h"

#include <QApplication>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextBrowser>
#include <QUrl>

namespace {
// The anchors named in the document, as the viewer's topic lookup finds them.
QStringList anchorsIn(const QTextDocument* document)
{
    QStringList names;
    for (QTextBlock block = document->begin(); block.isValid() && names.size() < 8;
         block = block.next())
        for (auto fragment = block.begin(); !fragment.atEnd(); ++fragment)
            names += fragment.fragment().charFormat().anchorNames();
    return names.mid(0, 8);
}

void checkShown(const QString& file, const QString& anchor)
{
    static QWidget* const window = helpViewer();
    check(helpViewer() && (!window || helpViewer() == window)); // one window, kept
    const auto* browser = helpViewer()->findChild<QTextBrowser*>();
    check(browser && browser->source().fragment(QUrl::FullyDecoded) == anchor &&
          browser->source().toLocalFile() == QFileInfo(file).absoluteFilePath());
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    new QApplication(*argc, *argv);
    return 0;
}

// The first line is what a window asks for: a context number or a topic
// name; the rest is the help file.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QTemporaryDir dir;
    const QByteArray bytes = fuzzBytes(data, size);
    const qsizetype lineEnd = bytes.indexOf('\n');
    const QString asked = QString::fromUtf8(bytes.left(std::max<qsizetype>(lineEnd, 0)));
    const QString file = writeFuzzFile(dir, HelpFileName, bytes.mid(lineEnd + 1));
    setHelpFile(file);
    bool isNumber = false;
    const int context = asked.toInt(&isNumber);
    if (isNumber) {
        showHelpContext(context);
        checkShown(file, helpAnchor(context));
    } else {
        showHelpTopic(asked);
        checkShown(file, asked);
    }
    const auto* browser = helpViewer()->findChild<QTextBrowser*>();
    for (const QString& anchor : anchorsIn(browser->document())) {
        showHelpTopic(anchor);
        checkShown(file, anchor);
    }
    return 0;
}
