// A description file of any bytes, rich text or plain, loads into a document
// without crashing or hanging.
#include "app/RtfReader.h"

#include <QTextDocument>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QTextDocument document;
    readDescription(bytes, &document);
    (void)document.toPlainText();
    return 0;
}
