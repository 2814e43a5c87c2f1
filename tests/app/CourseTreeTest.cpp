#include "app/CourseTree.h"

#include <gtest/gtest.h>

namespace {

struct Link {
    bool child;
    int anchor;
};

CatalogueEntries entriesOf(const std::vector<Link>& links)
{
    CatalogueEntries entries(links.size() + 1);
    for (size_t i = 0; i < links.size(); ++i) {
        entries[i + 1].IsChild = links[i].child;
        entries[i + 1].Anchor = links[i].anchor;
    }
    return entries;
}

CourseTreeShape shapeOf(const std::vector<Link>& links)
{
    auto shape = shapeCourseTree(entriesOf(links), QStringLiteral("InitRegD.txt"));
    EXPECT_TRUE(std::holds_alternative<CourseTreeShape>(shape));
    return std::holds_alternative<CourseTreeShape>(shape) ? std::get<CourseTreeShape>(shape)
                                                          : CourseTreeShape{};
}

std::vector<int> upTo(int n)
{
    std::vector<int> order;
    for (int i = 1; i <= n; ++i)
        order.push_back(i);
    return order;
}

} // namespace

TEST(CourseTree, SectionsAndExercisesKeepLineOrder)
{
    // 1 course, 2 lesson (sibling of 1), 3..4 exercises of 2, 5 section under 2,
    // 6 exercise of 5, 7 lesson (sibling of 2), 8 exercise with an empty IsChild.
    const CourseTreeShape shape = shapeOf({{false, 0},
                                           {false, 1},
                                           {true, 2},
                                           {true, 2},
                                           {true, 2},
                                           {true, 5},
                                           {false, 2},
                                           {true, 7}});
    EXPECT_EQ(shape.parent, (std::vector<int>{0, 0, 0, 2, 2, 2, 5, 0, 7}));
    EXPECT_EQ(shape.displayOrder(), upTo(8));
}

TEST(CourseTree, FirstEntryIsAlwaysTopLevel)
{
    const CourseTreeShape shape = shapeOf({{true, 1}, {true, 1}});
    EXPECT_EQ(shape.parent, (std::vector<int>{0, 0, 1}));
    EXPECT_EQ(shapeOf({{true, 2}, {false, 0}}).parent, (std::vector<int>{0, 0, 0}));
}

TEST(CourseTree, OneEntryMakesOneTopLevelNode)
{
    const CourseTreeShape shape = shapeOf({{true, 0}});
    EXPECT_EQ(shape.count(), 1);
    EXPECT_EQ(shape.displayOrder(), upTo(1));
}

TEST(CourseTree, AnchorToALaterOrTheSameEntryGoesToTheTopLevel)
{
    const CourseTreeShape shape =
        shapeOf({{false, 0}, {true, 1}, {true, 4}, {true, 3}, {true, 5}, {false, 6}});
    EXPECT_EQ(shape.parent, (std::vector<int>{0, 0, 1, 0, 3, 0, 0}));
}

TEST(CourseTree, SiblingOfANestedNodeSharesItsParent)
{
    const CourseTreeShape shape = shapeOf({{false, 0}, {true, 1}, {false, 2}});
    EXPECT_EQ(shape.parent, (std::vector<int>{0, 0, 1, 1}));
}

TEST(CourseTree, AnchorsOutsideTheCatalogueStopTheBuilding)
{
    for (int anchor : {-1, 4, 1000}) {
        auto shape = shapeCourseTree(entriesOf({{false, 0}, {true, 1}, {true, anchor}}),
                                     QStringLiteral("InitRegD.txt"));
        ASSERT_TRUE(std::holds_alternative<CourseError>(shape)) << anchor;
        const CourseError& fault = std::get<CourseError>(shape);
        EXPECT_EQ(fault.file, QStringLiteral("InitRegD.txt"));
        EXPECT_EQ(fault.line, 3) << "the entry's own line";
        EXPECT_TRUE(fault.what.contains(QString::number(anchor)));
    }
}

TEST(CourseTree, ChildOfAnEarlierSectionLeavesLineOrder)
{
    // Line 4 hangs under section 1 although section 2 came between: in the tree
    // it shows before section 2, so display positions and lines part ways.
    const CourseTreeShape shape = shapeOf({{false, 0}, {false, 1}, {true, 2}, {true, 1}});
    EXPECT_EQ(shape.displayOrder(), (std::vector<int>{1, 4, 2, 3}));
}

TEST(CourseTree, EmptyCatalogueHasNoNodes)
{
    const CourseTreeShape shape = shapeOf({});
    EXPECT_EQ(shape.count(), 0);
    EXPECT_TRUE(shape.displayOrder().empty());
}

TEST(CourseTree, DeepCatalogueIsWalkedWithoutRecursion)
{
    std::vector<Link> links{{false, 0}};
    for (int i = 2; i <= 100000; ++i)
        links.push_back({true, i - 1});
    EXPECT_EQ(shapeOf(links).displayOrder(), upTo(100000));
}
