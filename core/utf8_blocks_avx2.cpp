#include "core/utf8_kernels.h"

#include <cstring>
#include <immintrin.h>

// Compiled for AVX2 on its own; blockMasks runs it only on a processor that has AVX2.
namespace qytxt::core::utf8 {
namespace {

__m256i equal(__m256i bytes, int value) noexcept
{
    return _mm256_cmpeq_epi8(bytes, _mm256_set1_epi8(static_cast<char>(value)));
}

// Half `half`'s 32 bits of `mask`, stored rather than shifted into place. x86 is little-endian.
void storeHalf(std::uint64_t& mask, int half, __m256i flags) noexcept
{
    const auto bits = static_cast<std::uint32_t>(_mm256_movemask_epi8(flags));
    std::memcpy(reinterpret_cast<unsigned char*>(&mask) + 4 * half, &bits, sizeof bits);
}

// Per-byte tallies of a batch: each byte counts up to 255, more than the 2 halves of the 16 blocks
// of a batch add to it.
struct Tallies {
    __m256i high = _mm256_setzero_si256();
    __m256i fromC0 = _mm256_setzero_si256();
    __m256i controls = _mm256_setzero_si256();
};

std::int64_t total(__m256i tally) noexcept
{
    const __m256i sums = _mm256_sad_epu8(tally, _mm256_setzero_si256());
    return _mm256_extract_epi64(sums, 0) + _mm256_extract_epi64(sums, 1) + _mm256_extract_epi64(sums, 2) +
           _mm256_extract_epi64(sums, 3);
}

void masksOfBlock(const char* block, BlockMasks& m, Tallies& tallies) noexcept
{
    const __m256i zero = _mm256_setzero_si256();
    __m256i rare = zero;
    for (int half = 0; half < 2; ++half) {
        const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(block + 32 * half));
        // As in the SSE2 kernel: the bytes whose top two, three, four bits are set.
        const __m256i top2 = _mm256_and_si256(bytes, _mm256_slli_epi16(bytes, 1));
        const __m256i top3 = _mm256_and_si256(top2, _mm256_slli_epi16(bytes, 2));
        const __m256i top4 = _mm256_and_si256(top3, _mm256_slli_epi16(bytes, 3));
        const __m256i control = _mm256_or_si256(
            _mm256_cmpeq_epi8(_mm256_min_epu8(bytes, _mm256_set1_epi8(0x1F)), bytes), equal(bytes, 0x7F));
        rare = _mm256_or_si256(rare, _mm256_or_si256(_mm256_or_si256(top4, _mm256_andnot_si256(top3, top2)),
                                                     _mm256_or_si256(equal(bytes, 0xE0), equal(bytes, 0xED))));
        tallies.high = _mm256_sub_epi8(tallies.high, _mm256_cmpgt_epi8(zero, bytes));
        tallies.fromC0 = _mm256_sub_epi8(tallies.fromC0, _mm256_cmpgt_epi8(zero, top2));
        tallies.controls = _mm256_sub_epi8(tallies.controls, control);
        storeHalf(m.high, half, bytes);
        storeHalf(m.fromC0, half, top2);
        storeHalf(m.fromE0, half, top3);
        storeHalf(m.control, half, control);
    }
    if (_mm256_movemask_epi8(rare) != 0) {
        addRareMasks(block, m);
    } else {
        m.rare = 0;
        m.fromF0 = 0;
        m.fromF8 = 0;
    }
}

} // namespace

BlockCounts blockMasksAvx2(std::string_view bytes, BlockMasks* masks) noexcept
{
    static_assert(kBatchBlocks * 2 < 256);
    Tallies tallies;
    for (; bytes.size() >= kBlock; bytes.remove_prefix(kBlock))
        masksOfBlock(bytes.data(), *masks++, tallies);
    const std::int64_t high = total(tallies.high);
    BlockCounts counts{high, high - total(tallies.fromC0), total(tallies.controls)};
    if (!bytes.empty())
        *masks = byteMasks(bytes, counts);
    return counts;
}

} // namespace qytxt::core::utf8
