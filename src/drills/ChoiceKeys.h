#pragma once

#include <optional>

// The keys that choose among the answers of a question: the arrows move the
// choice to the next or previous answer, round the ends; the digits 1 to the
// answer count choose that answer. `current` is the chosen answer (0-based),
// or none when no answer is chosen: then Down and Right choose the first,
// Up and Left the last. Any other key, and a digit beyond the answers, gives
// nothing.
std::optional<int> choiceByKey(int key, std::optional<int> current, int count);
