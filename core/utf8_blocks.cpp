#include "core/utf8_kernels.h"

#include "core/kernel_choice.h"

namespace qytxt::core::utf8 {
namespace {

void setBit(std::uint64_t& mask, std::size_t bit, bool on) noexcept
{
    mask |= static_cast<std::uint64_t>(on) << bit;
}

bool isRare(unsigned char byte) noexcept
{
    return byte == 0xC0 || byte == 0xC1 || byte == 0xE0 || byte == 0xED || byte >= 0xF0;
}

} // namespace

BlockMasks byteMasks(std::string_view bytes, BlockCounts& counts) noexcept
{
    BlockMasks m;
    const std::size_t count = bytes.size() < kBlock ? bytes.size() : kBlock;
    for (std::size_t i = 0; i < count; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        const bool control = byte < 0x20 || byte == 0x7F;
        setBit(m.high, i, byte >= 0x80);
        setBit(m.fromC0, i, byte >= 0xC0);
        setBit(m.fromE0, i, byte >= 0xE0);
        setBit(m.fromF0, i, byte >= 0xF0);
        setBit(m.fromF8, i, byte >= 0xF8);
        setBit(m.control, i, control);
        setBit(m.rare, i, isRare(byte));
        counts.high += byte >= 0x80 ? 1 : 0;
        counts.continuations += byte >= 0x80 && byte < 0xC0 ? 1 : 0;
        counts.controls += control ? 1 : 0;
    }
    return m;
}

void addRareMasks(const char* block, BlockMasks& masks) noexcept
{
    masks.rare = 0;
    masks.fromF0 = 0;
    masks.fromF8 = 0;
    for (std::size_t i = 0; i < kBlock; ++i) {
        const auto byte = static_cast<unsigned char>(block[i]);
        setBit(masks.rare, i, isRare(byte));
        setBit(masks.fromF0, i, byte >= 0xF0);
        setBit(masks.fromF8, i, byte >= 0xF8);
    }
}

BlockCounts blockMasks(std::string_view bytes, BlockMasks* masks) noexcept
{
    static const MaskKernel kernel = maskKernels().back().second;
    return kernel(bytes, masks);
}

std::vector<std::pair<std::string_view, MaskKernel>> maskKernels()
{
    return core::kernelsHere<MaskKernel>(blockMasksSse2, QYTXT_AVX2_KERNEL(blockMasksAvx2));
}

} // namespace qytxt::core::utf8
