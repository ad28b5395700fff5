#pragma once

#include "core/text.h"

#include <cstddef>
#include <string_view>

// Bounds on page texts put on screen: the page is not ours, and one endless ad would keep the window
// busy laying it out or push a message box's button off the screen.
namespace qytxt::notices {

inline constexpr std::size_t kShownAdTextCharacters = 200;
inline constexpr std::size_t kShownMessageCharacters = 2000;

// `text` when it has at most `maxCharacters` characters; otherwise its first `maxCharacters`
// characters followed by "…". A cut never falls inside a character: not inside a two-byte one, nor
// inside a four-byte GB18030 one (two byte pairs whose second bytes are digits).
core::Text shownText(std::string_view text, std::size_t maxCharacters);

} // namespace qytxt::notices
