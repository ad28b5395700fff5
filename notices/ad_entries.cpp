#include "notices/ad_entries.h"

#include "core/gbk.h"
#include "notices/notice_markers.h"

#include <algorithm>
#include <cstddef>
#include <optional>

namespace qytxt::notices {

namespace {

using markers::kAdEntryEnd;
using markers::kAdEntryStart;
// Nine digits number more entries than any page can hold.
constexpr std::size_t kMostDigits = 9;
// How many bytes the scan goes between two looks at the stop request.
constexpr std::size_t kStopCheckBytes = 64 * 1024;

constexpr std::size_t kNone = std::string_view::npos;

struct Marker {
    std::size_t number;
    std::size_t start;
    std::size_t end;
};

// The two markers of one entry number: the end of the first, the start of the next one after it.
struct EntryBounds {
    std::size_t begin = kNone;
    std::size_t end = kNone;
};

bool isDigit(char byte)
{
    return byte >= '0' && byte <= '9';
}

// The entry marker that starts at `pos`, if any. Numbers are written without leading zeros.
std::optional<Marker> markerAt(std::string_view section, std::size_t pos)
{
    if (section.substr(pos, kAdEntryStart.size()) != kAdEntryStart)
        return std::nullopt;
    const std::size_t digits = pos + kAdEntryStart.size();
    std::size_t end = digits;
    while (end < section.size() && isDigit(section[end]))
        ++end;
    if (end == digits || section[digits] == '0' || end - digits > kMostDigits ||
        section.substr(end, kAdEntryEnd.size()) != kAdEntryEnd)
        return std::nullopt;
    std::size_t number = 0;
    for (std::size_t i = digits; i < end; ++i)
        number = number * 10 + static_cast<std::size_t>(section[i] - '0');
    return Marker{number, pos, end + kAdEntryEnd.size()};
}

// The pieces of the content [begin, end) at the "|" found by the scan.
AdEntry splitEntry(std::string_view section, std::size_t begin, std::size_t end, const std::vector<std::size_t>& bars)
{
    auto bar = std::lower_bound(bars.begin(), bars.end(), begin);
    const auto nextBar = [&]() { return bar != bars.end() && *bar < end ? *bar++ : end; };
    const auto piece = [section](std::size_t from, std::size_t to) { return section.substr(from, to - from); };
    const std::size_t first = nextBar();
    AdEntry entry{piece(begin, first), {}, {}};
    if (first == end)
        return entry;
    const std::size_t second = nextBar();
    entry.address = piece(first + 1, second);
    if (second < end)
        entry.message = piece(second + 1, nextBar());
    return entry;
}

} // namespace

std::vector<AdEntry> collectAdEntries(std::string_view adSection, const std::function<bool()>& stopRequested)
{
    // Entry N needs N markers before it in the section, so no higher number can ever be reached.
    const std::size_t mostMarkers = adSection.size() / (kAdEntryStart.size() + 1 + kAdEntryEnd.size());
    std::vector<EntryBounds> bounds; // by number
    std::vector<std::size_t> bars;
    // One walk, character by character, so that neither a marker nor a "|" is ever taken from the
    // second byte of a two-byte character. Every entry starts right after a marker, which ends a
    // character, so its own walk would find the same "|" as this one.
    std::size_t nextStopCheck = kStopCheckBytes;
    for (std::size_t pos = 0; pos < adSection.size();) {
        if (pos >= nextStopCheck) {
            if (stopRequested())
                return {};
            nextStopCheck = pos + kStopCheckBytes;
        }
        if (adSection[pos] == '|') {
            bars.push_back(pos);
        } else if (adSection[pos] == '/') {
            const std::optional<Marker> marker = markerAt(adSection, pos);
            if (marker && marker->number <= mostMarkers) {
                if (marker->number >= bounds.size())
                    bounds.resize(marker->number + 1);
                EntryBounds& entry = bounds[marker->number];
                if (entry.begin == kNone)
                    entry.begin = marker->end;
                else if (entry.end == kNone && marker->start >= entry.begin)
                    entry.end = marker->start;
            }
        }
        const std::size_t length = core::gbk::characterLength(adSection, pos);
        if (length == 0)
            break;
        pos += length;
    }

    std::size_t count = 0;
    while (count + 1 < bounds.size() && bounds[count + 1].begin != kNone)
        ++count;
    std::vector<AdEntry> entries;
    entries.reserve(count);
    for (std::size_t number = 1; number <= count; ++number)
        entries.push_back(
            splitEntry(adSection, bounds[number].begin, std::min(bounds[number].end, adSection.size()), bars));
    return entries;
}

} // namespace qytxt::notices
