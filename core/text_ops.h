#pragma once

#include "core/text.h"

#include <string_view>

// Searching and cutting texts. Positions are 1-based byte positions; -1 means not found.
// Searches never match inside a two-byte character.
namespace qytxt::core {

int findFirst(std::string_view text, std::string_view wanted);
int findLast(std::string_view text, std::string_view wanted);

// Byte cuts: they may end between the two bytes of a character.
Text leftPart(std::string_view text, int count);
Text middlePart(std::string_view text, int start, int count);

// A trailing delimiter adds no empty item; the empty text gives no items.
TextList splitText(std::string_view text, std::string_view delimiter);

} // namespace qytxt::core
