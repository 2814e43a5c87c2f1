#pragma once

#include <QList>

// A preview walks through the items in file order, one a step; the student
// leaves it by going past the last one.
template <typename Item> class Preview {
public:
    explicit Preview(QList<Item> items) : items_(std::move(items)) {}

    // Back to the first item.
    void start() { current_ = 0; }
    // Moves to the next item; false when the current item is the last one.
    bool next()
    {
        if (current_ + 1 >= count())
            return false;
        ++current_;
        return true;
    }

    int count() const { return int(items_.size()); }
    int current() const { return current_; }
    int remaining() const { return count() - 1 - current_; }
    const Item& currentItem() const { return items_[current_]; }

private:
    QList<Item> items_;
    int current_ = 0;
};
