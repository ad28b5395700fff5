#include "split/gbk_blocks.h"

namespace qytxt::split::gbk {
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
    static const MaskKernel kernel = chosenKernel();
    kernel(bytes, blocks, masks);
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

} // namespace qytxt::split::gbk
