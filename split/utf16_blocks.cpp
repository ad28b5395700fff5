#include "split/utf16_blocks.h"

#include "core/kernel_choice.h"

namespace qytxt::split::utf16 {

UnitMasks unitMasks(std::string_view bytes, bool bigEndian) noexcept
{
    UnitMasks masks;
    const std::size_t units = (bytes.size() < kBlock ? bytes.size() : kBlock) / 2;
    for (std::size_t i = 0; i < units; ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        const unsigned unit = bigEndian ? (first << 8U) | second : (second << 8U) | first;
        const auto set = [i](std::uint32_t& mask, bool on) { mask |= static_cast<std::uint32_t>(on) << i; };
        set(masks.control, unit < 0x20 || unit == 0x7F);
        set(masks.high, (unit & 0xFC00) == 0xD800);
        set(masks.low, (unit & 0xFC00) == 0xDC00);
    }
    return masks;
}

void blockMasks(const char* bytes, std::size_t blocks, bool bigEndian, UnitMasks* masks) noexcept
{
    static const MaskKernel kernel = maskKernels().back().second;
    kernel(bytes, blocks, bigEndian, masks);
}

std::vector<std::pair<std::string_view, MaskKernel>> maskKernels()
{
    return core::kernelsHere<MaskKernel>(blockMasksSse2, QYTXT_AVX2_KERNEL(blockMasksAvx2));
}

} // namespace qytxt::split::utf16
