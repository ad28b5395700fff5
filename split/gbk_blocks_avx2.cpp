#include "split/gbk_blocks.h"

#include <cstring>
#include <immintrin.h>

// Compiled for AVX2 on its own; blockMasks runs it only on a processor that has AVX2.
namespace qytxt::split::gbk {
namespace {

// Half `half`'s 32 bits of `mask`, stored rather than shifted into place. x86 is little-endian.
void storeHalf(std::uint64_t& mask, int half, __m256i flags) noexcept
{
    const auto bits = static_cast<std::uint32_t>(_mm256_movemask_epi8(flags));
    std::memcpy(reinterpret_cast<unsigned char*>(&mask) + 4 * half, &bits, sizeof bits);
}

} // namespace

void blockMasksAvx2(const char* bytes, std::size_t blocks, BlockMasks* masks) noexcept
{
    const __m256i belowPrintable = _mm256_set1_epi8(0x1F);
    const __m256i del = _mm256_set1_epi8(0x7F);
    for (std::size_t i = 0; i < blocks; ++i, bytes += kBlock) {
        for (int half = 0; half < 2; ++half) {
            const __m256i loaded = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(bytes + 32 * half));
            // Signed compares: bytes of 0x80 or more are negative, so they fail the first test.
            const __m256i printable =
                _mm256_and_si256(_mm256_cmpgt_epi8(loaded, belowPrintable), _mm256_cmpgt_epi8(del, loaded));
            storeHalf(masks[i].high, half, loaded);
            storeHalf(masks[i].printable, half, printable);
        }
    }
}

} // namespace qytxt::split::gbk
