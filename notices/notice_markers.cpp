#include "notices/notice_markers.h"

#include "core/numbers.h"
#include "core/text_ops.h"

namespace qytxt::notices::markers {

namespace {
// "//广告"
constexpr std::string_view kAdEntryStart = "//\xB9\xE3\xB8\xE6";
} // namespace

core::Text adEntry(int number)
{
    core::Text marker(kAdEntryStart);
    marker += core::integerToText(number);
    marker += "//";
    return marker;
}

std::optional<core::Text> section(std::string_view page, std::string_view marker)
{
    core::TextList pieces = core::splitText(page, marker);
    if (pieces.size() < 2)
        return std::nullopt;
    return std::move(pieces[1]);
}

} // namespace qytxt::notices::markers
