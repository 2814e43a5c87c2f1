#include "drills/ChoiceKeys.h"

#include <Qt>

std::optional<int> choiceByKey(int key, std::optional<int> current, int count)
{
    if (count < 1)
        return std::nullopt;
    if (key >= Qt::Key_1 && key < Qt::Key_1 + count)
        return key - Qt::Key_1;
    switch (key) {
    case Qt::Key_Down:
    case Qt::Key_Right:
        return current ? (*current + 1) % count : 0;
    case Qt::Key_Up:
    case Qt::Key_Left:
        return current ? (*current + count - 1) % count : count - 1;
    default:
        return std::nullopt;
    }
}
