#include "split/character_count.h"

#include "split/byte_source.h"

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qytxt::split {
namespace {

constexpr std::size_t kBlock = 64;

struct BlockMasks {
    std::uint64_t high = 0;      // bytes of 0x80 or more
    std::uint64_t printable = 0; // bytes 0x20..0x7E
};

#if defined(__SSE2__)
BlockMasks blockMasks(const char* block) noexcept
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
BlockMasks blockMasks(const char* block) noexcept
{
    BlockMasks masks;
    for (std::size_t i = 0; i < kBlock; ++i) {
        const auto byte = static_cast<unsigned char>(block[i]);
        masks.high |= static_cast<std::uint64_t>(byte >= 0x80) << i;
        masks.printable |= static_cast<std::uint64_t>(byte >= 0x20 && byte < 0x7F) << i;
    }
    return masks;
}
#endif

// Bytes below 0x80 that are second bytes: those right after a run of high bytes of odd length
// (every such run starts on a character boundary, so its bytes pair up from its start). `carry`
// says whether the previous block ended inside such an odd run, and receives the same for this one.
std::uint64_t secondByteMask(std::uint64_t high, std::uint64_t& carry) noexcept
{
    constexpr std::uint64_t kEvenBits = 0x5555555555555555ULL;
    const std::uint64_t starts = high & ~(high << 1);
    // A run carried over from the previous block counts as if it had started one place earlier.
    const std::uint64_t evenStartMask = kEvenBits ^ carry;
    const std::uint64_t evenStarts = starts & evenStartMask;
    const std::uint64_t oddStarts = starts & ~evenStartMask;
    // Adding a run's start bit to it ripples to the bit just past its end.
    const std::uint64_t evenCarries = high + evenStarts;
    std::uint64_t oddCarries = high + oddStarts;
    const bool oddRunReachesEnd = oddCarries < high;
    oddCarries |= carry;
    carry = oddRunReachesEnd ? 1 : 0;
    const std::uint64_t evenStartOddEnd = evenCarries & ~high & ~kEvenBits;
    const std::uint64_t oddStartEvenEnd = oddCarries & ~high & kEvenBits;
    return evenStartOddEnd | oddStartEvenEnd;
}

} // namespace

void CharacterCounter::feed(std::string_view bytes) noexcept
{
    const std::size_t blocks = bytes.size() / kBlock;
    std::uint64_t carry = m_pendingLead ? 1 : 0;
    std::int64_t printable = 0;
    for (std::size_t i = 0; i < blocks; ++i) {
        const BlockMasks masks = blockMasks(bytes.data() + i * kBlock);
        const std::uint64_t second = secondByteMask(masks.high, carry);
        printable += std::popcount(masks.printable & ~second);
    }
    m_printable += printable;
    m_bytes += static_cast<std::int64_t>(blocks * kBlock);
    m_pendingLead = carry != 0;
    feedScalar(bytes.substr(blocks * kBlock));
}

void CharacterCounter::feedScalar(std::string_view bytes) noexcept
{
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (m_pendingLead)
            m_pendingLead = false;
        else if (byte >= 0x80)
            m_pendingLead = true;
        else if (byte >= 0x20 && byte < 0x7F)
            ++m_printable;
    }
    m_bytes += static_cast<std::int64_t>(bytes.size());
}

std::int64_t fullWidthLength(std::string_view text) noexcept
{
    CharacterCounter counter;
    counter.feed(text);
    return counter.fullWidthLength();
}

std::optional<std::int64_t> fileFullWidthLength(std::string_view path)
{
    std::optional<FileSource> source = FileSource::open(path);
    if (!source)
        return std::nullopt;
    constexpr std::int64_t kChunk = std::int64_t{1} << 20;
    CharacterCounter counter;
    for (std::int64_t offset = 0; offset < source->size(); offset += kChunk) {
        const std::optional<std::string_view> bytes = source->read(offset, kChunk);
        if (!bytes)
            return std::nullopt;
        counter.feed(*bytes);
    }
    return counter.fullWidthLength();
}

} // namespace qytxt::split
