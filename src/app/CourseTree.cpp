#include "app/CourseTree.h"

std::vector<int> CourseTreeShape::displayOrder() const
{
    std::vector<std::vector<int>> children(parent.size());
    for (int i = 1; i <= count(); ++i)
        children[parent[i]].push_back(i);
    std::vector<int> order;
    order.reserve(parent.size());
    // An explicit stack: a deep catalogue must not exhaust the call stack.
    std::vector<std::pair<int, size_t>> stack{{0, 0}};
    while (!stack.empty()) {
        auto& [node, next] = stack.back();
        if (next == children[node].size()) {
            stack.pop_back();
            continue;
        }
        const int child = children[node][next++];
        order.push_back(child);
        stack.emplace_back(child, 0);
    }
    return order;
}

std::variant<CourseTreeShape, CourseError> shapeCourseTree(const CatalogueEntries& entries,
                                                           const QString& file)
{
    CourseTreeShape shape;
    const int n = std::max<int>(0, int(entries.size()) - 1);
    shape.parent.assign(n + 1, 0);
    for (int i = 2; i <= n; ++i) {
        const qint32 anchor = entries[i].Anchor;
        if (anchor < 0 || anchor > n)
            return CourseError{file, i,
                               QStringLiteral("ссылка %1 вне диапазона 0..%2").arg(anchor).arg(n)};
        if (anchor == 0 || anchor >= i)
            continue;
        shape.parent[i] = entries[i].IsChild ? anchor : shape.parent[anchor];
    }
    return shape;
}
