#include "notices/notice_markers.h"

#include "core/text_ops.h"

namespace qytxt::notices::markers {

std::optional<core::Text> section(std::string_view page, std::string_view marker)
{
    core::TextList pieces = core::splitText(page, marker);
    if (pieces.size() < 2)
        return std::nullopt;
    return std::move(pieces[1]);
}

} // namespace qytxt::notices::markers
