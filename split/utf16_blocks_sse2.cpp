#include "split/utf16_blocks.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qytxt::split::utf16 {

namespace {

#if defined(__SSE2__)
__m128i units(const char* block, int lane, bool bigEndian) noexcept
{
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * lane));
    return bigEndian ? _mm_or_si128(_mm_slli_epi16(bytes, 8), _mm_srli_epi16(bytes, 8)) : bytes;
}

// One bit per unit for the 16 units of two lanes of 16-bit flags.
std::uint32_t unitBits(__m128i first, __m128i second) noexcept
{
    return static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_packs_epi16(first, second)));
}

UnitMasks masksOfBlock(const char* block, bool bigEndian) noexcept
{
    const __m128i surrogateBits = _mm_set1_epi16(static_cast<short>(0xFC00));
    const __m128i highSurrogate = _mm_set1_epi16(static_cast<short>(0xD800));
    const __m128i lowSurrogate = _mm_set1_epi16(static_cast<short>(0xDC00));
    UnitMasks masks;
    for (int pair = 0; pair < 2; ++pair) {
        __m128i control[2];
        __m128i high[2];
        __m128i low[2];
        for (int half = 0; half < 2; ++half) {
            const __m128i unit = units(block, 2 * pair + half, bigEndian);
            // Units of 0x1F or less saturate to 0.
            control[half] =
                _mm_or_si128(_mm_cmpeq_epi16(_mm_subs_epu16(unit, _mm_set1_epi16(0x1F)), _mm_setzero_si128()),
                             _mm_cmpeq_epi16(unit, _mm_set1_epi16(0x7F)));
            const __m128i kind = _mm_and_si128(unit, surrogateBits);
            high[half] = _mm_cmpeq_epi16(kind, highSurrogate);
            low[half] = _mm_cmpeq_epi16(kind, lowSurrogate);
        }
        const auto shift = static_cast<unsigned>(16 * pair);
        masks.control |= unitBits(control[0], control[1]) << shift;
        masks.high |= unitBits(high[0], high[1]) << shift;
        masks.low |= unitBits(low[0], low[1]) << shift;
    }
    return masks;
}
#else
UnitMasks masksOfBlock(const char* block, bool bigEndian) noexcept
{
    return unitMasks(std::string_view(block, kBlock), bigEndian);
}
#endif

} // namespace

void blockMasksSse2(const char* bytes, std::size_t blocks, bool bigEndian, UnitMasks* masks) noexcept
{
    for (std::size_t i = 0; i < blocks; ++i)
        masks[i] = masksOfBlock(bytes + i * kBlock, bigEndian);
}

} // namespace qytxt::split::utf16
