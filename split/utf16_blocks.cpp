#include "split/utf16_blocks.h"

namespace qytxt::split::utf16 {
namespace {

MaskKernel chosenKernel() noexcept
{
#if defined(QYTXT_AVX2_KERNELS)
    if (__builtin_cpu_supports("avx2"))
        return blockMasksAvx2;
#endif
    return blockMasksSse2;
}

} // namespace

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
    static const MaskKernel kernel = chosenKernel();
    kernel(bytes, blocks, bigEndian, masks);
}

std::vector<std::pair<std::string_view, MaskKernel>> maskKernels()
{
    std::vector<std::pair<std::string_view, MaskKernel>> kernels{{"sse2", blockMasksSse2}};
#if defined(QYTXT_AVX2_KERNELS)
    if (__builtin_cpu_supports("avx2"))
        kernels.emplace_back("avx2", blockMasksAvx2);
#endif
    return kernels;
}

} // namespace qytxt::split::utf16
