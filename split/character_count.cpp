#include "split/character_count.h"

#include "core/bit_count.h"
#include "split/counting_pass.h"
#include "split/gbk_blocks.h"

#include <algorithm>
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

bool anyDigit(const char* block, std::uint64_t positions) noexcept
{
    for (; positions != 0; positions &= positions - 1)
        if (isDigit(static_cast<unsigned char>(block[std::countr_zero(positions)])))
            return true;
    return false;
}

bool isPrintable(unsigned char byte) noexcept
{
    return byte >= 0x20 && byte < 0x7F;
}

std::int64_t printableIn(std::string_view bytes) noexcept
{
    std::int64_t count = 0;
    for (const char c : bytes)
        count += isPrintable(static_cast<unsigned char>(c)) ? 1 : 0;
    return count;
}

bool leadsFourBytes(unsigned char byte) noexcept
{
    return byte >= 0x81 && byte <= 0xFE;
}

} // namespace

void CharacterCounter::feed(std::string_view bytes) noexcept
{
    constexpr std::size_t kBatch = 16;
    gbk::BlockMasks masks[kBatch];
    while (bytes.size() >= gbk::kBlock) {
        const std::size_t blocks = std::min(bytes.size() / gbk::kBlock, kBatch);
        gbk::blockMasks(bytes.data(), blocks, masks);
        for (std::size_t i = 0; i < blocks; ++i)
            feedBlock(bytes.data() + i * gbk::kBlock, masks[i].high, masks[i].printable);
        bytes.remove_prefix(blocks * gbk::kBlock);
    }
    feedScalar(bytes);
}

void CharacterCounter::feed(std::string_view bytes, const core::utf8::BlockMasks* masks,
                            const core::utf8::BlockCounts& counts) noexcept
{
    // The printable bytes of the batch, less those that turn out second bytes and those of the bytes
    // stepped through one at a time, which count their own.
    std::int64_t printable = static_cast<std::int64_t>(bytes.size()) - counts.high - counts.controls;
    for (; bytes.size() >= gbk::kBlock; bytes.remove_prefix(gbk::kBlock), ++masks) {
        const std::int64_t seconds = feedPairs(bytes.data(), masks->high, ~masks->high & ~masks->control);
        printable -= seconds >= 0 ? seconds : printableIn(bytes.substr(0, gbk::kBlock));
    }
    m_printable += printable - printableIn(bytes);
    feedScalar(bytes);
}

void CharacterCounter::feedBlock(const char* block, std::uint64_t high, std::uint64_t printable) noexcept
{
    if (const std::int64_t printableSeconds = feedPairs(block, high, printable); printableSeconds >= 0)
        m_printable += core::bitCount(printable) - printableSeconds;
}

// The pairs of a block, with no four-byte sequence in sight: everything but the printable count. The
// number of printable second bytes, or -1 when the block was stepped through byte by byte instead,
// printable bytes and all.
std::int64_t CharacterCounter::feedPairs(const char* block, std::uint64_t high, std::uint64_t printable) noexcept
{
    if (m_fourByteProgress == 0) {
        std::uint64_t carry = m_pendingLead ? 1 : 0;
        const std::uint64_t printableSeconds = secondByteMask(high, carry) & printable;
        // A digit there may begin a GB18030 four-byte sequence; GBK itself never has one.
        if (printableSeconds == 0 || !anyDigit(block, printableSeconds)) {
            m_bytes += static_cast<std::int64_t>(gbk::kBlock);
            m_pendingLead = carry != 0;
            m_lead = static_cast<unsigned char>(block[gbk::kBlock - 1]);
            return printableSeconds == 0 ? 0 : core::bitCount(printableSeconds);
        }
    }
    feedScalar(std::string_view(block, gbk::kBlock));
    return -1;
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
            m_printable += isPrintable(byte) ? 1 : 0;
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
