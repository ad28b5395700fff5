#include "core/utf8_blocks.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qytxt::core::utf8 {

#if defined(__SSE2__)
namespace {

std::uint64_t laneBits(__m128i flags, int lane) noexcept
{
    return static_cast<std::uint64_t>(static_cast<std::uint32_t>(_mm_movemask_epi8(flags)))
           << static_cast<unsigned>(16 * lane);
}

// Bytes of `floor` or more, compared without sign.
__m128i atLeast(__m128i bytes, int floor) noexcept
{
    return _mm_cmpeq_epi8(_mm_max_epu8(bytes, _mm_set1_epi8(static_cast<char>(floor))), bytes);
}

__m128i load(const char* block, int lane) noexcept
{
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * lane));
}

} // namespace

BlockMasks blockMasks(const char* block) noexcept
{
    BlockMasks m;
    std::uint64_t leads = 0;
    std::uint64_t fromE0 = 0;
    for (int lane = 0; lane < 4; ++lane) {
        const __m128i bytes = load(block, lane);
        const __m128i control = _mm_or_si128(_mm_cmpeq_epi8(_mm_min_epu8(bytes, _mm_set1_epi8(0x1F)), bytes),
                                             _mm_cmpeq_epi8(bytes, _mm_set1_epi8(0x7F)));
        const __m128i c0OrC1 = _mm_cmpeq_epi8(_mm_and_si128(bytes, _mm_set1_epi8(static_cast<char>(0xFE))),
                                              _mm_set1_epi8(static_cast<char>(0xC0)));
        const __m128i rare = _mm_or_si128(_mm_or_si128(atLeast(bytes, 0xF0), c0OrC1),
                                          _mm_or_si128(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(static_cast<char>(0xE0))),
                                                       _mm_cmpeq_epi8(bytes, _mm_set1_epi8(static_cast<char>(0xED)))));
        m.high |= laneBits(bytes, lane);
        m.control |= laneBits(control, lane);
        m.rare |= laneBits(rare, lane);
        leads |= laneBits(atLeast(bytes, 0xC0), lane);
        fromE0 |= laneBits(atLeast(bytes, 0xE0), lane);
    }
    m.cont = m.high & ~leads;
    m.lead2 = leads;
    m.lead3 = fromE0;
    if (m.rare != 0) {
        // Four-byte leads and the bytes that lead nothing appear only among the rare bytes.
        std::uint64_t fromF0 = 0;
        std::uint64_t fromF8 = 0;
        for (int lane = 0; lane < 4; ++lane) {
            const __m128i bytes = load(block, lane);
            fromF0 |= laneBits(atLeast(bytes, 0xF0), lane);
            fromF8 |= laneBits(atLeast(bytes, 0xF8), lane);
        }
        m.lead2 &= ~fromF8;
        m.lead3 &= ~fromF8;
        m.lead4 = fromF0 & ~fromF8;
    }
    return m;
}
#else
BlockMasks blockMasks(const char* block) noexcept
{
    return byteMasks(std::string_view(block, kBlock));
}
#endif

} // namespace qytxt::core::utf8
