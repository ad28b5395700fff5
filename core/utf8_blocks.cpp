#include "core/utf8_blocks.h"

namespace qytxt::core::utf8 {

BlockMasks byteMasks(std::string_view bytes) noexcept
{
    BlockMasks m;
    const std::size_t count = bytes.size() < kBlock ? bytes.size() : kBlock;
    for (std::size_t i = 0; i < count; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        const auto set = [i](std::uint64_t& mask, bool on) { mask |= static_cast<std::uint64_t>(on) << i; };
        const bool invalidLead = byte >= 0xF8;
        set(m.high, byte >= 0x80);
        set(m.cont, byte >= 0x80 && byte < 0xC0);
        set(m.lead2, byte >= 0xC0 && !invalidLead);
        set(m.lead3, byte >= 0xE0 && !invalidLead);
        set(m.lead4, byte >= 0xF0 && !invalidLead);
        set(m.control, byte < 0x20 || byte == 0x7F);
        set(m.rare, byte == 0xC0 || byte == 0xC1 || byte == 0xE0 || byte == 0xED || byte >= 0xF0);
    }
    return m;
}

} // namespace qytxt::core::utf8
