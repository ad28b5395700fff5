#include "split/utf16_blocks.h"

#include <immintrin.h>

// Compiled for AVX2 on its own; blockMasks runs it only on a processor that has AVX2.
namespace qytxt::split::utf16 {
namespace {

__m256i units(const char* block, int half, bool bigEndian) noexcept
{
    const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block + 32 * half));
    return bigEndian ? _mm256_or_si256(_mm256_slli_epi16(bytes, 8), _mm256_srli_epi16(bytes, 8)) : bytes;
}

// One bit per unit for the 32 units of two halves of 16-bit flags. Packing works within each
// 128-bit lane, so the quarters come out as first-low, second-low, first-high, second-high and are
// put back in order before the bits are taken.
std::uint32_t unitBits(__m256i first, __m256i second) noexcept
{
    const __m256i packed = _mm256_permute4x64_epi64(_mm256_packs_epi16(first, second), 0xD8);
    return static_cast<std::uint32_t>(_mm256_movemask_epi8(packed));
}

} // namespace

void blockMasksAvx2(const char* bytes, std::size_t blocks, bool bigEndian, UnitMasks* masks) noexcept
{
    const __m256i surrogateBits = _mm256_set1_epi16(static_cast<short>(0xFC00));
    const __m256i highSurrogate = _mm256_set1_epi16(static_cast<short>(0xD800));
    const __m256i lowSurrogate = _mm256_set1_epi16(static_cast<short>(0xDC00));
    const __m256i lastControl = _mm256_set1_epi16(0x1F);
    const __m256i del = _mm256_set1_epi16(0x7F);
    for (std::size_t i = 0; i < blocks; ++i, bytes += kBlock) {
        __m256i control[2];
        __m256i high[2];
        __m256i low[2];
        for (int half = 0; half < 2; ++half) {
            const __m256i unit = units(bytes, half, bigEndian);
            // Units of 0x1F or less saturate to 0.
            control[half] =
                _mm256_or_si256(_mm256_cmpeq_epi16(_mm256_subs_epu16(unit, lastControl), _mm256_setzero_si256()),
                                _mm256_cmpeq_epi16(unit, del));
            const __m256i kind = _mm256_and_si256(unit, surrogateBits);
            high[half] = _mm256_cmpeq_epi16(kind, highSurrogate);
            low[half] = _mm256_cmpeq_epi16(kind, lowSurrogate);
        }
        masks[i] = {unitBits(control[0], control[1]), unitBits(high[0], high[1]), unitBits(low[0], low[1])};
    }
}

} // namespace qytxt::split::utf16
