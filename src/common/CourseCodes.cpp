#include "common/CourseCodes.h"

#include <algorithm>

namespace {
std::span<const KindTraits> lentTable;
const KindTraits NoKind{};
} // namespace

std::span<const KindTraits> kindTable()
{
    return lentTable.empty() ? std::span<const KindTraits>(ExerciseKinds) : lentTable;
}

const KindTraits& kindTraits(ExerciseKind kind)
{
    const std::span<const KindTraits> table = kindTable();
    const auto row = std::find_if(table.begin(), table.end(),
                                  [kind](const KindTraits& traits) { return traits.kind == kind; });
    return row == table.end() ? NoKind : *row;
}

KindTableForTest::KindTableForTest(std::span<const KindTraits> table) : previous_(lentTable)
{
    lentTable = table;
}

KindTableForTest::~KindTableForTest()
{
    lentTable = previous_;
}
