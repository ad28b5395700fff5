#include "split/gbk_blocks.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qytxt::split::gbk {

namespace {

#if defined(__SSE2__)
BlockMasks masksOfBlock(const char* block) noexcept
{
    const __m128i belowPrintable = _mm_set1_epi8(0x1F);
    const __m128i del = _mm_set1_epi8(0x7F);
    BlockMasks masks;
    for (int lane = 0; lane < 4; ++lane) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * lane));
        // Signed compares: bytes of 0x80 or more are negative, so they fail the first test.
        const __m128i printable = _mm_and_si128(_mm_cmpgt_epi8(bytes, belowPrintable), _mm_cmplt_epi8(bytes, del));
        const auto shift = static_cast<unsigned>(16 * lane);
        masks.high |= static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm_movemask_epi8(bytes))) << shift;
        masks.printable |= static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm_movemask_epi8(printable)))
                           << shift;
    }
    return masks;
}

#else
BlockMasks masksOfBlock(const char* block) noexcept
{
    return byteMasks(block);
}
#endif

} // namespace

void blockMasksSse2(const char* bytes, std::size_t blocks, BlockMasks* masks) noexcept
{
    for (std::size_t i = 0; i < blocks; ++i)
        masks[i] = masksOfBlock(bytes + i * kBlock);
}

} // namespace qytxt::split::gbk
