#include "split/gbk_blocks.h"

#include "core/kernel_choice.h"

namespace qytxt::split::gbk {

BlockMasks byteMasks(const char* block) noexcept
{
    BlockMasks masks;
    for (std::size_t i = 0; i < kBlock; ++i) {
        const auto byte = static_cast<unsigned char>(block[i]);
        masks.high |= static_cast<std::uint64_t>(byte >= 0x80) << i;
        masks.printable |= static_cast<std::uint64_t>(byte >= 0x20 && byte < 0x7F) << i;
    }
    return masks;
}

void blockMasks(const char* bytes, std::size_t blocks, BlockMasks* masks) noexcept
{
    static const MaskKernel kernel = maskKernels().back().second;
    kernel(bytes, blocks, masks);
}

std::vector<std::pair<std::string_view, MaskKernel>> maskKernels()
{
    return core::kernelsHere<MaskKernel>(blockMasksSse2, QYTXT_AVX2_KERNEL(blockMasksAvx2));
}

} // namespace qytxt::split::gbk
