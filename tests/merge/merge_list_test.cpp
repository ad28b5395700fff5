#include "merge/merge_list.h"
#include "named_case.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <sstream>
#include <string>

namespace qytxt::merge {
namespace {

// A list written as its entries separated by spaces, the current one in brackets: "a [b] c".
MergeList listFrom(const std::string& notation)
{
    MergeList list;
    int current = -1;
    std::istringstream words(notation);
    for (std::string word; words >> word;) {
        if (word.front() == '[') {
            current = list.entryCount();
            word = word.substr(1, word.size() - 2);
        }
        list.append(word);
    }
    list.setCurrentEntry(current);
    return list;
}

std::string notationOf(const MergeList& list)
{
    std::string notation;
    for (int i = 0; i < list.entryCount(); ++i) {
        if (!notation.empty())
            notation += ' ';
        notation += i == list.currentEntry() ? "[" + list.entryText(i) + "]" : list.entryText(i);
    }
    return notation;
}

struct ListCase : qytxt::testing::NamedCase {
    std::string before;
    std::function<void(MergeList&)> operation;
    std::string after;
};

class MergeListTest : public ::testing::TestWithParam<ListCase> {};

TEST_P(MergeListTest, LeavesTheExpectedEntriesAndSelection)
{
    MergeList list = listFrom(GetParam().before);
    GetParam().operation(list);
    EXPECT_EQ(notationOf(list), GetParam().after);
    EXPECT_EQ(list.entryCount(), static_cast<int>(list.entries().size()));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(ListRules, MergeListTest, ::testing::Values(
    ListCase{"SelectPastEndTakesLast", "a b c", [](MergeList& l) { l.setCurrentEntry(7); }, "a b [c]"},
    ListCase{"SelectBelowMinusOneClears", "a [b] c", [](MergeList& l) { l.setCurrentEntry(-5); }, "a b c"},
    ListCase{"SelectMinusOneClears", "[a] b", [](MergeList& l) { l.setCurrentEntry(-1); }, "a b"},
    ListCase{"SelectOnEmptyListIsNone", "", [](MergeList& l) { l.setCurrentEntry(0); }, ""},
    ListCase{"InsertBeforeCurrentShiftsIt", "a [b] c", [](MergeList& l) { l.insert(0, "x"); }, "x a [b] c"},
    ListCase{"InsertAtCurrentShiftsIt", "a [b] c", [](MergeList& l) { l.insert(1, "x"); }, "a x [b] c"},
    ListCase{"InsertAfterCurrentKeepsIt", "a [b] c", [](MergeList& l) { l.insert(2, "x"); }, "a [b] x c"},
    ListCase{"InsertAtEnd", "a [b] c", [](MergeList& l) { l.insert(3, "x"); }, "a [b] c x"},
    ListCase{"InsertPastEndIgnored", "a [b]", [](MergeList& l) { l.insert(3, "x"); }, "a [b]"},
    ListCase{"InsertBelowZeroIgnored", "a [b]", [](MergeList& l) { l.insert(-1, "x"); }, "a [b]"},
    ListCase{"InsertEmptyTextIgnored", "a [b]", [](MergeList& l) { l.insert(0, ""); }, "a [b]"},
    ListCase{"AppendKeepsCurrent", "[a] b", [](MergeList& l) { l.append("x"); }, "[a] b x"},
    ListCase{"AppendEmptyTextIgnored", "a", [](MergeList& l) { l.append(""); }, "a"},
    ListCase{"ReplaceKeepsCurrent", "a [b]", [](MergeList& l) { l.replaceText(0, "x"); }, "x [b]"},
    ListCase{"ReplaceOutsideIgnored", "a [b]", [](MergeList& l) { l.replaceText(2, "x"); }, "a [b]"},
    ListCase{"ReplaceWithEmptyIgnored", "a [b]", [](MergeList& l) { l.replaceText(0, ""); }, "a [b]"},
    ListCase{"RemoveBeforeCurrentFollowsIt", "a b [c]", [](MergeList& l) { l.remove(0); }, "b [c]"},
    ListCase{"RemoveAfterCurrentKeepsIt", "[a] b c", [](MergeList& l) { l.remove(2); }, "[a] b"},
    ListCase{"RemoveCurrentClearsSelection", "a [b] c", [](MergeList& l) { l.remove(1); }, "a c"},
    ListCase{"RemoveMinusOneIgnored", "a [b]", [](MergeList& l) { l.remove(-1); }, "a [b]"},
    ListCase{"RemovePastEndIgnored", "a [b]", [](MergeList& l) { l.remove(2); }, "a [b]"}
), qytxt::testing::CaseName());

INSTANTIATE_TEST_SUITE_P(ButtonOperations, MergeListTest, ::testing::Values(
    ListCase{"AddAfterWithoutCurrentAppends", "a b", [](MergeList& l) { l.addAfter("x"); }, "a b x"},
    ListCase{"AddAfterOnEmptyList", "", [](MergeList& l) { l.addAfter("x"); }, "x"},
    ListCase{"AddAfterMiddle", "a [b] c", [](MergeList& l) { l.addAfter("x"); }, "a b [x] c"},
    ListCase{"AddAfterLast", "a [b]", [](MergeList& l) { l.addAfter("x"); }, "a b [x]"},
    ListCase{"AddAfterSamePathTwice", "[a]", [](MergeList& l) { l.addAfter("a"); }, "a [a]"},
    ListCase{"AddAfterEmptyPathIgnored", "a [b]", [](MergeList& l) { l.addAfter(""); }, "a [b]"},
    ListCase{"AddBeforeWithoutCurrentAppends", "a b", [](MergeList& l) { l.addBefore("x"); }, "a b x"},
    ListCase{"AddBeforeOnEmptyList", "", [](MergeList& l) { l.addBefore("x"); }, "x"},
    ListCase{"AddBeforeFirst", "[a] b", [](MergeList& l) { l.addBefore("x"); }, "[x] a b"},
    ListCase{"AddBeforeMiddle", "a [b] c", [](MergeList& l) { l.addBefore("x"); }, "a [x] b c"},
    ListCase{"AddBeforeEmptyPathIgnored", "[a]", [](MergeList& l) { l.addBefore(""); }, "[a]"},
    ListCase{"MoveUpFirstDoesNothing", "[a] b", [](MergeList& l) { l.moveUp(); }, "[a] b"},
    ListCase{"MoveUpLast", "a b [c]", [](MergeList& l) { l.moveUp(); }, "a [c] b"},
    ListCase{"MoveUpWithoutCurrent", "a b", [](MergeList& l) { l.moveUp(); }, "a b"},
    ListCase{"MoveUpBetweenEqualPaths", "x [x] y", [](MergeList& l) { l.moveUp(); }, "[x] x y"},
    ListCase{"MoveDownLastDoesNothing", "a [b]", [](MergeList& l) { l.moveDown(); }, "a [b]"},
    ListCase{"MoveDownFirst", "[a] b c", [](MergeList& l) { l.moveDown(); }, "b [a] c"},
    ListCase{"MoveDownWithoutCurrent", "a b", [](MergeList& l) { l.moveDown(); }, "a b"},
    ListCase{"MoveDownOnlyEntry", "[a]", [](MergeList& l) { l.moveDown(); }, "[a]"},
    ListCase{"DeleteWithoutCurrent", "a b", [](MergeList& l) { l.deleteEntry(); }, "a b"},
    ListCase{"DeleteOnlyEntry", "[a]", [](MergeList& l) { l.deleteEntry(); }, ""},
    ListCase{"DeleteFirstSelectsFollower", "[a] b c", [](MergeList& l) { l.deleteEntry(); }, "[b] c"},
    ListCase{"DeleteMiddleSelectsPrevious", "a [b] c", [](MergeList& l) { l.deleteEntry(); }, "[a] c"},
    ListCase{"DeleteLastSelectsPrevious", "a b [c]", [](MergeList& l) { l.deleteEntry(); }, "a [b]"},
    ListCase{"DeleteOnEmptyList", "", [](MergeList& l) { l.deleteEntry(); }, ""},
    ListCase{"DeleteAllOnEmptyList", "", [](MergeList& l) { l.deleteAll(); }, ""},
    ListCase{"DeleteAll", "a [b] c", [](MergeList& l) { l.deleteAll(); }, ""},
    ListCase{"DeleteAllWithoutCurrent", "a b", [](MergeList& l) { l.deleteAll(); }, ""}
), qytxt::testing::CaseName());

INSTANTIATE_TEST_SUITE_P(SeveralPaths, MergeListTest, ::testing::Values(
    ListCase{"AfterCurrentInOrder", "a [b] c", [](MergeList& l) { l.addAllAfter({"x", "y"}); }, "a b x [y] c"},
    ListCase{"BeforeCurrentInOrder", "a [b] c", [](MergeList& l) { l.addAllBefore({"x", "y"}); }, "a x [y] b c"},
    ListCase{"BeforeFirst", "[a] b", [](MergeList& l) { l.addAllBefore({"x", "y", "z"}); }, "x y [z] a b"},
    ListCase{"AfterWithoutCurrentAppends", "a b", [](MergeList& l) { l.addAllAfter({"x", "y"}); }, "a b x [y]"},
    ListCase{"BeforeWithoutCurrentAppends", "a", [](MergeList& l) { l.addAllBefore({"x", "y"}); }, "a x [y]"},
    ListCase{"OneFollowsTheOnePathRules", "a b", [](MergeList& l) { l.addAllAfter({"x"}); }, "a b x"},
    ListCase{"NoneChangesNothing", "a [b]", [](MergeList& l) { l.addAllBefore({}); }, "a [b]"},
    ListCase{"EmptyPathsSkipped", "[a]", [](MergeList& l) { l.addAllAfter({"", "x", ""}); }, "a [x]"},
    ListCase{"InsertAtRow", "[a] b c", [](MergeList& l) { l.insertAll(1, {"x", "y"}); }, "a x [y] b c"},
    ListCase{"InsertOutsideAppends", "a [b]", [](MergeList& l) { l.insertAll(-1, {"x", "y"}); }, "a b x [y]"}
), qytxt::testing::CaseName());
// clang-format on

TEST(MergeListTextTest, EntryTextOutsideTheListIsEmpty)
{
    const MergeList list = listFrom("a [b]");
    for (const int index : {-2, -1, 2, 100})
        EXPECT_EQ(list.entryText(index), "") << index;
    EXPECT_EQ(list.entryText(1), "b");
}

TEST(MergeListTextTest, StartsEmptyWithoutCurrentEntry)
{
    const MergeList list;
    EXPECT_EQ(list.entryCount(), 0);
    EXPECT_EQ(list.currentEntry(), -1);
}

} // namespace
} // namespace qytxt::merge
