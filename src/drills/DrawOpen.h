#pragma once

#include "drills/DrillRandom.h"

#include <QList>

// Index drawn uniformly among the items for which `open` holds; -1 when none.
// Drawing among the open candidates directly (instead of drawing among all and
// drawing again on a closed one) gives the same uniform choice and can never
// spin when nothing is left.
template <typename List, typename Pred> int drawOpen(const List& items, Pred open)
{
    QList<int> candidates;
    for (int i = 0; i < items.size(); ++i)
        if (open(items[i]))
            candidates.append(i);
    if (candidates.isEmpty())
        return -1;
    return candidates[drawUniform(0, int(candidates.size()) - 1)];
}
