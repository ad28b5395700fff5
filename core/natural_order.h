#pragma once

#include "core/text.h"

#include <compare>
#include <string_view>
#include <vector>

// Names in the order people number them: runs of ASCII digits compare as numbers, so "小说(9).txt"
// comes before "小说(10).txt"; everything else compares byte by byte, as the file system spells the
// names. A digit that is the second byte of a two-byte character belongs to that character.
namespace qytxt::core {

// Only identical names compare equal: equal numbers spelled with different leading zeros ("7",
// "07") are told apart by the first such pair of runs, fewer zeros first.
std::strong_ordering naturalCompare(std::string_view a, std::string_view b);

inline bool naturalLess(std::string_view a, std::string_view b)
{
    return naturalCompare(a, b) < 0;
}

void sortNaturally(std::vector<Text>& names);

} // namespace qytxt::core
