#include "core/text_ops.h"

#include "core/gbk.h"

namespace qytxt::core {
namespace {

constexpr std::size_t kStopScan = std::string_view::npos;

// Walks `text` character by character and calls `onMatch(cursor)` wherever `wanted` starts at the
// cursor. `onMatch` returns how many bytes to skip after the match (0: step on as usual), or
// kStopScan to end the walk.
template <typename OnMatch> void scanMatches(std::string_view text, std::string_view wanted, OnMatch onMatch)
{
    std::size_t cursor = 0;
    while (text.size() - cursor >= wanted.size()) {
        if (text.compare(cursor, wanted.size(), wanted) == 0) {
            const std::size_t skip = onMatch(cursor);
            if (skip == kStopScan)
                return;
            if (skip > 0) {
                cursor += skip;
                continue;
            }
        }
        const std::size_t step = gbk::characterLength(text, cursor);
        if (step == 0)
            return;
        cursor += step;
    }
}

// The 1-based position of the first or the last match.
int findMatch(std::string_view text, std::string_view wanted, bool last)
{
    if (text.empty())
        return -1;
    if (wanted.empty())
        return 1;
    int found = -1;
    scanMatches(text, wanted, [&](std::size_t cursor) {
        found = static_cast<int>(cursor) + 1;
        return last ? std::size_t{0} : kStopScan;
    });
    return found;
}

} // namespace

int findFirst(std::string_view text, std::string_view wanted)
{
    return findMatch(text, wanted, false);
}

int findLast(std::string_view text, std::string_view wanted)
{
    return findMatch(text, wanted, true);
}

Text leftPart(std::string_view text, int count)
{
    if (count <= 0)
        return {};
    return Text(text.substr(0, static_cast<std::size_t>(count)));
}

Text middlePart(std::string_view text, int start, int count)
{
    if (start < 1 || static_cast<std::size_t>(start) > text.size() || count <= 0)
        return {};
    return Text(text.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(count)));
}

TextList splitText(std::string_view text, std::string_view delimiter)
{
    if (text.empty())
        return {};
    if (delimiter.empty())
        return {Text(text)};
    TextList items;
    std::size_t pieceStart = 0;
    scanMatches(text, delimiter, [&](std::size_t cursor) {
        items.emplace_back(text.substr(pieceStart, cursor - pieceStart));
        pieceStart = cursor + delimiter.size();
        return delimiter.size();
    });
    if (pieceStart < text.size())
        items.emplace_back(text.substr(pieceStart));
    return items;
}

} // namespace qytxt::core
