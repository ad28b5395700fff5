#include "core/utf8_kernels.h"

#if defined(__SSE2__)
#include <cstring>
#include <emmintrin.h>
#endif

namespace qytxt::core::utf8 {

#if defined(__SSE2__)
namespace {

__m128i equal(__m128i bytes, int value) noexcept
{
    return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(static_cast<char>(value)));
}

// Lane `lane`'s 16 bits of `mask`, stored rather than shifted into place: the masks are read only
// once the whole batch is done, so the narrow stores cost nothing to read back. x86 is little-endian.
void storeLane(std::uint64_t& mask, int lane, __m128i flags) noexcept
{
    const auto bits = static_cast<std::uint16_t>(_mm_movemask_epi8(flags));
    std::memcpy(reinterpret_cast<unsigned char*>(&mask) + 2 * lane, &bits, sizeof bits);
}

// Per-byte tallies of a batch: each byte counts up to 255, more than the 4 lanes of the 16 blocks
// of a batch add to it.
struct Tallies {
    __m128i high = _mm_setzero_si128();
    __m128i fromC0 = _mm_setzero_si128();
    __m128i controls = _mm_setzero_si128();
};

std::int64_t total(__m128i tally) noexcept
{
    const __m128i sums = _mm_sad_epu8(tally, _mm_setzero_si128());
    return _mm_cvtsi128_si32(sums) + _mm_cvtsi128_si32(_mm_srli_si128(sums, 8));
}

void masksOfBlock(const char* block, BlockMasks& m, Tallies& tallies) noexcept
{
    const __m128i zero = _mm_setzero_si128();
    __m128i rare = zero;
    // One lane at a time: interleaving lanes needs more registers than SSE2 has.
#pragma GCC unroll 1
    for (int lane = 0; lane < 4; ++lane) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * lane));
        // The sign bit of a byte shifted left by n is its bit 7 - n (shifting 16-bit lanes leaves
        // each byte's top bits its own): these hold the bytes whose top two, three, four bits are set.
        const __m128i top2 = _mm_and_si128(bytes, _mm_slli_epi16(bytes, 1));
        const __m128i top3 = _mm_and_si128(top2, _mm_slli_epi16(bytes, 2));
        const __m128i top4 = _mm_and_si128(top3, _mm_slli_epi16(bytes, 3));
        const __m128i control =
            _mm_or_si128(_mm_cmpeq_epi8(_mm_min_epu8(bytes, _mm_set1_epi8(0x1F)), bytes), equal(bytes, 0x7F));
        // Two-byte leads stand in for C0 and C1, rare enough in most texts to be looked at closely.
        rare = _mm_or_si128(rare, _mm_or_si128(_mm_or_si128(top4, _mm_andnot_si128(top3, top2)),
                                               _mm_or_si128(equal(bytes, 0xE0), equal(bytes, 0xED))));
        // A compare gives -1 for each byte it holds for.
        tallies.high = _mm_sub_epi8(tallies.high, _mm_cmpgt_epi8(zero, bytes));
        tallies.fromC0 = _mm_sub_epi8(tallies.fromC0, _mm_cmpgt_epi8(zero, top2));
        tallies.controls = _mm_sub_epi8(tallies.controls, control);
        storeLane(m.high, lane, bytes);
        storeLane(m.fromC0, lane, top2);
        storeLane(m.fromE0, lane, top3);
        storeLane(m.control, lane, control);
    }
    if (_mm_movemask_epi8(rare) != 0) {
        addRareMasks(block, m);
    } else {
        m.rare = 0;
        m.fromF0 = 0;
        m.fromF8 = 0;
    }
}

} // namespace

BlockCounts blockMasksSse2(std::string_view bytes, BlockMasks* masks) noexcept
{
    static_assert(kBatchBlocks * 4 < 256);
    Tallies tallies;
    for (; bytes.size() >= kBlock; bytes.remove_prefix(kBlock))
        masksOfBlock(bytes.data(), *masks++, tallies);
    const std::int64_t high = total(tallies.high);
    BlockCounts counts{high, high - total(tallies.fromC0), total(tallies.controls)};
    if (!bytes.empty())
        *masks = byteMasks(bytes, counts);
    return counts;
}
#else
BlockCounts blockMasksSse2(std::string_view bytes, BlockMasks* masks) noexcept
{
    BlockCounts counts;
    for (; !bytes.empty(); bytes.remove_prefix(bytes.size() < kBlock ? bytes.size() : kBlock))
        *masks++ = byteMasks(bytes, counts);
    return counts;
}
#endif

} // namespace qytxt::core::utf8
