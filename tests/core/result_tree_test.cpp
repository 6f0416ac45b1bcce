#include <gtest/gtest.h>

#include "core/result_tree.h"
#include "run/tree_images.h"

namespace nexmar {
namespace {

std::vector<std::string> ChildTexts(const ResultTree& tree, ItemId parent)
{
    std::vector<std::string> texts;
    for (const ItemId child : tree.Children(parent)) {
        texts.push_back(tree.at(child).text);
    }
    return texts;
}

// Parent and row of every item must agree with the children lists, since
// the dialog's model answers parent() and row() from them alone.
void ExpectConsistent(const ResultTree& tree, ItemId parent)
{
    const auto& children = tree.Children(parent);
    for (std::size_t row = 0; row < children.size(); ++row) {
        EXPECT_EQ(tree.at(children[row]).parent, parent);
        EXPECT_EQ(tree.at(children[row]).row, static_cast<int>(row));
        ExpectConsistent(tree, children[row]);
    }
}

TEST(ResultTree, SortedPlacementIgnoresCaseAndPutsEqualsAfterTheirEquals)
{
    ResultTree tree;
    const ItemId root = tree.Insert(kNoItem, "System Results", TreeImage::Blank, Placement::First);
    const ItemId system = tree.Insert(root, "System 1", TreeImage::System, Placement::Last);
    for (const char* text : {"Raw: 2", "capacity: 6", "Special: Fair Climate", "Base stats: Colony/Minor",
                             "No special", "Census: 3", "Capacity: 6"}) {
        AddStatItem(tree, text, NO_VALUE, TreeImage::Blank, system);
    }
    EXPECT_EQ(ChildTexts(tree, system),
              (std::vector<std::string>{"Base stats: Colony/Minor", "capacity: 6", "Capacity: 6", "Census: 3",
                                        "No special", "Raw: 2", "Special: Fair Climate"}));
    ExpectConsistent(tree, kNoItem);
}

TEST(ResultTree, LastKeepsInsertionOrderAndFirstGoesToTheTop)
{
    ResultTree tree;
    const ItemId root = tree.Insert(kNoItem, "System Results", TreeImage::Blank, Placement::First);
    for (int n = 1; n <= 12; ++n) {
        tree.Insert(root, "System " + std::to_string(n), TreeImage::System, Placement::Last);
    }
    tree.Insert(kNoItem, "Earlier", TreeImage::Blank, Placement::First);
    EXPECT_EQ(ChildTexts(tree, kNoItem), (std::vector<std::string>{"Earlier", "System Results"}));
    EXPECT_EQ(tree.at(tree.Children(root)[9]).text, "System 10");
    ExpectConsistent(tree, kNoItem);
}

TEST(ResultTree, AddStatItemShowsNoValueAsTheBareLabelAndOtherValuesAsNumbers)
{
    ResultTree tree;
    const ItemId parent = tree.Insert(kNoItem, "Object 1.1", TreeImage::RedObject, Placement::First);
    AddStatItem(tree, "Capacity", 6, TreeImage::Blank, parent);
    AddStatItem(tree, "Morale", 0, TreeImage::Blank, parent);
    AddStatItem(tree, "Raw", -1, TreeImage::Blank, parent);
    AddStatItem(tree, "Special: None", NO_VALUE, TreeImage::Blank, parent);
    EXPECT_EQ(ChildTexts(tree, parent),
              (std::vector<std::string>{"Capacity: 6", "Morale: 0", "Raw: -1", "Special: None"}));
    EXPECT_EQ(tree.at(tree.Children(parent)[0]).image, TreeImage::Blank);
}

TEST(ResultTree, DropFromRemovesAFinishedSystemAndEverythingBelowIt)
{
    ResultTree tree;
    const ItemId root = tree.Insert(kNoItem, "System Results", TreeImage::Blank, Placement::First);
    const ItemId first = tree.Insert(root, "System 1", TreeImage::System, Placement::Last);
    AddStatItem(tree, "Raw", 1, TreeImage::Blank, first);
    const ItemId second = tree.Insert(root, "System 2", TreeImage::System, Placement::Last);
    AddStatItem(tree, "Raw", 2, TreeImage::Blank, second);
    tree.DropFrom(second);
    EXPECT_EQ(tree.size(), 3u);
    EXPECT_EQ(ChildTexts(tree, root), (std::vector<std::string>{"System 1"}));
    tree.Clear();
    EXPECT_TRUE(tree.empty());
    EXPECT_TRUE(tree.Children(kNoItem).empty());
}

}  // namespace
}  // namespace nexmar
