#include "split/character_count.h"

#include "split/gbk_blocks.h"
#include "split/text_count.h"

#include <bit>

namespace qytxt::split {
namespace {

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

bool isDigit(unsigned char byte) noexcept
{
    return byte >= 0x30 && byte <= 0x39;
}

// A digit as a second byte may begin a GB18030 four-byte sequence; GBK itself never has one there.
bool anyDigit(const char* block, std::uint64_t positions) noexcept
{
    for (; positions != 0; positions &= positions - 1)
        if (isDigit(static_cast<unsigned char>(block[std::countr_zero(positions)])))
            return true;
    return false;
}

bool leadsFourBytes(unsigned char byte) noexcept
{
    return byte >= 0x81 && byte <= 0xFE;
}

} // namespace

void CharacterCounter::feed(std::string_view bytes) noexcept
{
    const std::size_t blocks = bytes.size() / gbk::kBlock;
    for (std::size_t i = 0; i < blocks; ++i) {
        const char* block = bytes.data() + i * gbk::kBlock;
        const gbk::BlockMasks masks = gbk::blockMasks(block);
        feedBlock(block, masks.high, masks.printable);
    }
    feedScalar(bytes.substr(blocks * gbk::kBlock));
}

void CharacterCounter::feedBlock(const char* block, std::uint64_t high, std::uint64_t printable) noexcept
{
    const std::string_view bytes(block, gbk::kBlock);
    if (m_fourByteProgress != 0) {
        feedScalar(bytes);
        return;
    }
    std::uint64_t carry = m_pendingLead ? 1 : 0;
    const std::uint64_t second = secondByteMask(high, carry);
    const std::uint64_t asciiSeconds = second & printable;
    if (asciiSeconds != 0 && anyDigit(block, asciiSeconds)) {
        feedScalar(bytes); // a four-byte sequence may start here
        return;
    }
    m_printable += std::popcount(printable & ~second);
    m_bytes += static_cast<std::int64_t>(gbk::kBlock);
    m_pendingLead = carry != 0;
    m_lead = static_cast<unsigned char>(bytes.back());
}

void CharacterCounter::feedScalar(std::string_view bytes) noexcept
{
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if (m_pendingLead) {
            // The pair of m_lead and this byte ends here.
            m_pendingLead = false;
            if (m_fourByteProgress == 3) {
                m_fourByteProgress = 0;
                m_fourByteSequences += isDigit(byte) ? 1 : 0;
            } else {
                m_fourByteProgress = leadsFourBytes(m_lead) && isDigit(byte) ? 2 : 0;
            }
        } else if (byte >= 0x80) {
            m_pendingLead = true;
            m_lead = byte;
            m_fourByteProgress = m_fourByteProgress == 2 && leadsFourBytes(byte) ? 3 : 0;
        } else {
            m_printable += byte >= 0x20 && byte < 0x7F ? 1 : 0;
            m_fourByteProgress = 0;
        }
    }
    m_bytes += static_cast<std::int64_t>(bytes.size());
}

Boundary CharacterCounter::boundary() const noexcept
{
    const std::int64_t width = fullWidthLength();
    if (m_fourByteProgress != 0)
        return {m_fourByteProgress, width - 2}; // back to the first pair, which counted 2
    return {m_pendingLead ? 1 : 0, width};
}

std::int64_t fullWidthLength(std::string_view text) noexcept
{
    CharacterCounter counter;
    counter.feed(text);
    return counter.fullWidthLength();
}

std::optional<std::int64_t> fileFullWidthLength(std::string_view path)
{
    const std::optional<TextCount> count = countFile(path, std::nullopt);
    if (!count)
        return std::nullopt;
    return count->fullWidthLength;
}

} // namespace qytxt::split
