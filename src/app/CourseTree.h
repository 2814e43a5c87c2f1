#pragma once

#include "app/Catalogue.h"
#include "common/CourseError.h"

#include <variant>
#include <vector>

// Where each entry's node goes in the course tree, worked out without any
// widget: parent[i] is the entry whose node holds entry i's node as a child, 0
// for a top-level node. Children are appended in entry order, so the tree is
// fully described by the parents.
struct CourseTreeShape {
    std::vector<int> parent; // index 0 unused
    int count() const { return int(parent.size()) - 1; }
    // Entry indexes in the tree's display order (pre-order).
    std::vector<int> displayOrder() const;
};

// Fails (naming the line of `file`) when an anchor lies outside 0..n. An anchor
// that names the entry itself or a later one has no node yet: the node goes to
// the top level. Entry 1 is always at the top level.
std::variant<CourseTreeShape, CourseError> shapeCourseTree(const CatalogueEntries& entries,
                                                           const QString& file);
