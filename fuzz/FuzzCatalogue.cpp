// A catalogue file of any bytes: parsing either fails with a message or gives
// entries whose tree puts every entry exactly once in the display order.
#include "app/Catalogue.h"
#include "app/CourseTree.h"
#include "common/LineFile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString text = decodeCourseText(bytes, CodePage::Cp1251);
    const QList<QStringView> lines = courseLineViews(text);
    const auto parsed = parseCatalogue(lines, QStringLiteral("InitRegA.txt"));
    const auto* entries = std::get_if<CatalogueEntries>(&parsed);
    if (!entries)
        return 0;
    if (entries->size() != size_t(lines.size()) + 1)
        std::abort();
    const auto shape = shapeCourseTree(*entries, QStringLiteral("InitRegA.txt"));
    if (const auto* tree = std::get_if<CourseTreeShape>(&shape)) {
        std::vector<int> order = tree->displayOrder();
        if (order.size() != size_t(tree->count()))
            std::abort();
        std::sort(order.begin(), order.end());
        for (size_t i = 0; i < order.size(); ++i)
            if (order[i] != int(i) + 1)
                std::abort();
    }
    return 0;
}
