#include "common/CodePage.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {
const char* codecName(CodePage page)
{
    return page == CodePage::Cp1250 ? "windows-1250" : "windows-1251";
}
} // namespace

QString decode(CodePage page, QByteArrayView bytes)
{
    QStringDecoder decoder(codecName(page));
    return decoder.decode(bytes);
}

std::optional<QByteArray> encode(CodePage page, const QString& text)
{
    QStringEncoder encoder(codecName(page));
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}
