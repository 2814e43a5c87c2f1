// Any bytes, in either code page or behind a byte-order mark, split into lines
// that join back to the same text.
#include "common/LineFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (CodePage page : {CodePage::Cp1250, CodePage::Cp1251}) {
        const QString text = decodeCourseText(bytes, page);
        const QStringList lines = splitCourseLines(text);
        for (const QString& line : lines)
            if (line.contains(QLatin1Char('\n')))
                std::abort();
        (void)encodeCourseLines(lines, page);
    }
    return 0;
}
