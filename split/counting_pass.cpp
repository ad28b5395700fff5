#include "split/counting_pass.h"

#include "split/line_breaks.h"

#include <algorithm>
#include <atomic>
#include <string>
#include <system_error>
#include <thread>

namespace qytxt::split {
namespace {

using core::TextEncoding;

// Below this a second thread gains nothing worth its start.
constexpr std::int64_t kSideBySideCount = std::int64_t{8} << 20;
// How far the second reader looks for its place to start, a piece at a time; a text that offers
// none there is read on one thread. Most texts offer one within a line (a CR LF, a blank line,
// digits), but a UTF-8 novel with LF line ends and ideographic indents can go for pages without.
constexpr std::int64_t kTakeoverPiece = std::int64_t{64} << 10;
constexpr std::int64_t kTakeoverSearch = std::int64_t{1} << 20;
// Read first and alone: the mark tells what the second reader counts in.
constexpr std::int64_t kMarkBytes = 3;

// The first offset in `bytes` (which start `unitParity` bytes past a UTF-16 unit boundary) where
// every reading of the text in `model` is at a character boundary, whatever came before: after
// two bytes below 0x80 in a row in the byte encodings (one of them may end a GBK pair or a GB18030
// four-byte sequence, not both; and each ends any UTF-8 sequence), after a UTF-16 unit that is no
// high surrogate.
std::optional<std::size_t> boundaryIn(std::string_view bytes, TextEncoding model, std::size_t unitParity) noexcept
{
    const auto byteAt = [bytes](std::size_t at) { return static_cast<unsigned char>(bytes[at]); };
    if (unitSize(model) == 2) {
        const bool bigEndian = model == TextEncoding::Utf16Be;
        for (std::size_t at = unitParity; at + 1 < bytes.size(); at += 2) {
            const unsigned high = bigEndian ? byteAt(at) : byteAt(at + 1);
            if ((high & 0xFC) != 0xD8)
                return at + 2;
        }
        return std::nullopt;
    }
    for (std::size_t at = 1; at < bytes.size(); ++at) {
        if (byteAt(at - 1) < 0x80 && byteAt(at) < 0x80)
            return at + 1;
    }
    return std::nullopt;
}

// Where the second reader takes over, when there is to be one.
std::optional<std::int64_t> takeoverPoint(const ByteSource& source, std::string& buffer, const TextCounter& counter,
                                          const PassOptions& options)
{
    const std::int64_t size = source.size();
    std::int64_t from = 0;
    if (!options.sideBySide || options.headings != nullptr || size < kMarkBytes)
        return std::nullopt; // headings are scanned line by line, in order
    if (options.secondReaderFrom)
        from = std::max(*options.secondReaderFrom, kMarkBytes);
    else if (size >= kSideBySideCount && std::thread::hardware_concurrency() > 1)
        from = size / 2 / kPassReadSize * kPassReadSize;
    else
        return std::nullopt;
    const auto parity = static_cast<std::size_t>((from - static_cast<std::int64_t>(counter.markLength())) % 2);
    // The pieces overlap by two bytes, so that a pair across two is seen and UTF-16 units stay aligned.
    static_assert(kTakeoverPiece % 2 == 0);
    for (std::int64_t at = from; at < std::min(size, from + kTakeoverSearch); at += kTakeoverPiece - 2) {
        const std::optional<std::string_view> bytes = source.read(at, kTakeoverPiece, buffer);
        if (!bytes)
            return std::nullopt; // the first reader meets the failure itself
        if (const std::optional<std::size_t> found = boundaryIn(*bytes, counter.firstModel(), parity)) {
            const std::int64_t takeover = at + static_cast<std::int64_t>(*found);
            return takeover < size ? std::optional(takeover) : std::nullopt;
        }
        if (static_cast<std::int64_t>(bytes->size()) < kTakeoverPiece)
            return std::nullopt; // the end of the text
    }
    return std::nullopt;
}

// Gives the memory back: assigning {} would keep it.
void letGo(std::vector<Checkpoint>& checkpoints)
{
    std::vector<Checkpoint>().swap(checkpoints);
}

// One thread's share of the pass: its stretch's counter, and its checkpoints in the model counted
// first and, while the text may still be UTF-8, in UTF-8 too.
class PassReader {
public:
    // `headings` only on the reader that reads the text from its start.
    PassReader(const TextCounter& counter, bool keepCheckpoints, HeadingScanner* headings,
               std::int64_t checkpointsAhead)
        : m_counter(counter), m_keepCheckpoints(keepCheckpoints), m_headings(headings)
    {
        if (m_keepCheckpoints)
            m_first.reserve(static_cast<std::size_t>(checkpointsAhead));
    }

    const TextCounter& counter() const noexcept { return m_counter; }

    // `bytes` are the source's from offset `at` on.
    void feed(std::int64_t at, std::string_view bytes);

    // The first reader's checkpoints begin with one for the start of the text.
    void standForTheStart() { m_first.emplace_back(); }

    // After the last piece of the whole text, on the first reader.
    void finish(PassReader* second);

    TextCount count() const noexcept
    {
        return {m_counter.encoding(), m_counter.markLength(), m_counter.fullWidthLength()};
    }
    std::vector<Checkpoint> takeCheckpoints();

private:
    void record();
    // After finish(): whether the checkpoints to keep are the UTF-8 ones.
    bool readAsUtf8() const noexcept;
    static void append(std::vector<Checkpoint>& to, const std::vector<Checkpoint>& later, std::int64_t widthBefore);

    TextCounter m_counter;
    bool m_keepCheckpoints;
    HeadingScanner* m_headings;
    std::vector<Checkpoint> m_first;
    std::vector<Checkpoint> m_utf8; // as many as m_first while the text may be UTF-8, else none
};

void PassReader::feed(std::int64_t at, std::string_view bytes)
{
    if (!m_keepCheckpoints) {
        m_counter.feed(bytes);
    } else {
        for (std::string_view rest = bytes; !rest.empty();) {
            if (at % Checkpoint::kSpacing == 0 && at > 0)
                record();
            const auto length =
                std::min(rest.size(), static_cast<std::size_t>(Checkpoint::kSpacing - at % Checkpoint::kSpacing));
            m_counter.feed(rest.substr(0, length));
            rest.remove_prefix(length);
            at += static_cast<std::int64_t>(length);
        }
    }
    if (m_headings != nullptr) {
        m_headings->feed(bytes);
        if (!m_counter.countsUtf8Too())
            m_headings->keepOnly(m_counter.firstModel());
    }
}

void PassReader::record()
{
    const auto checkpoint = [this](TextEncoding model) {
        const Boundary boundary = m_counter.boundary(model);
        return Checkpoint{-boundary.back, boundary.widthBefore};
    };
    m_first.push_back(checkpoint(m_counter.firstModel()));
    if (m_counter.countsUtf8Too()) {
        if (m_utf8.empty()) {
            m_utf8.reserve(m_first.capacity());
            m_utf8.resize(m_first.size() - 1); // the start's, which stands for both
        }
        m_utf8.push_back(checkpoint(TextEncoding::Utf8));
    } else if (!m_utf8.empty()) {
        letGo(m_utf8); // no longer possible
    }
}

void PassReader::finish(PassReader* second)
{
    if (m_counter.countsUtf8Too() && m_utf8.size() < m_first.size())
        m_utf8.resize(m_first.size()); // no checkpoint was due before the second reader's first
    if (second != nullptr) {
        const std::int64_t firstWidth = m_counter.fullWidthLength(m_counter.firstModel());
        const std::int64_t utf8Width = m_counter.fullWidthLength(TextEncoding::Utf8);
        m_counter.join(second->m_counter);
        // The reading not taken is let go of first, so that the later half's checkpoints never
        // come on top of both readings'. Each adds the width of everything the first reader counted.
        const bool utf8 = readAsUtf8();
        std::vector<Checkpoint>& kept = utf8 ? m_utf8 : m_first;
        std::vector<Checkpoint> later = std::move(utf8 ? second->m_utf8 : second->m_first);
        letGo(utf8 ? m_first : m_utf8);
        letGo(second->m_first);
        letGo(second->m_utf8);
        append(kept, later, utf8 ? utf8Width : firstWidth);
    }
    m_counter.finish();
    if (m_headings != nullptr)
        m_headings->finish(m_counter.encoding());
}

bool PassReader::readAsUtf8() const noexcept
{
    return m_counter.countsUtf8Too() && m_counter.encoding() == TextEncoding::Utf8;
}

void PassReader::append(std::vector<Checkpoint>& to, const std::vector<Checkpoint>& later, std::int64_t widthBefore)
{
    for (const Checkpoint& checkpoint : later)
        to.emplace_back(checkpoint.fromCheckpoint(), widthBefore + checkpoint.widthBefore());
}

std::vector<Checkpoint> PassReader::takeCheckpoints()
{
    if (!m_keepCheckpoints)
        return {};
    std::vector<Checkpoint> checkpoints = readAsUtf8() ? std::move(m_utf8) : std::move(m_first);
    if (checkpoints.empty())
        checkpoints.emplace_back();
    checkpoints.front() = {static_cast<std::int64_t>(m_counter.markLength()), 0};
    return checkpoints;
}

// Reads [begin, end) in pieces that end on multiples of the pass's read size, feeding each to
// `reader`. False when a piece cannot be read whole or `keepGoing` says to stop.
template <typename KeepGoing>
bool readRange(const ByteSource& source, std::string& buffer, std::int64_t begin, std::int64_t end, PassReader& reader,
               const KeepGoing& keepGoing)
{
    for (std::int64_t at = begin; at < end;) {
        if (!keepGoing())
            return false;
        const std::int64_t pieceEnd = std::min(end, (at / kPassReadSize + 1) * kPassReadSize);
        const std::optional<std::string_view> bytes = source.read(at, pieceEnd - at, buffer);
        if (!bytes || static_cast<std::int64_t>(bytes->size()) != pieceEnd - at)
            return false;
        reader.feed(at, *bytes);
        at = pieceEnd;
    }
    return true;
}

} // namespace

std::optional<CountedSource> countPass(const ByteSource& source, core::EncodingChoice choice,
                                       const PassOptions& options)
{
    const std::int64_t size = source.size();
    PassReader first(TextCounter(choice), options.checkpoints, options.headings, size / Checkpoint::kSpacing + 1);
    first.standForTheStart();
    std::string buffer;
    // Set by a reader that fails, so that the other one stops too.
    std::atomic<bool> abandoned{false};
    const auto keepGoing = [&abandoned, &options] {
        return !abandoned.load(std::memory_order_relaxed) && !(options.stopRequested && options.stopRequested());
    };

    const std::int64_t markEnd = std::min(size, kMarkBytes);
    if (!readRange(source, buffer, 0, markEnd, first, keepGoing))
        return std::nullopt;

    const std::optional<std::int64_t> takeover = takeoverPoint(source, buffer, first.counter(), options);
    std::optional<PassReader> second;
    bool secondRead = true;
    std::optional<std::jthread> helper;
    if (takeover) {
        second.emplace(first.counter().continuation(), options.checkpoints, nullptr,
                       (size - *takeover) / Checkpoint::kSpacing + 1);
        try {
            helper.emplace([&] {
                std::string ownBuffer;
                secondRead = readRange(source, ownBuffer, *takeover, size, *second, keepGoing);
                if (!secondRead)
                    abandoned = true;
            });
        } catch (const std::system_error&) {
            second.reset(); // no thread to be had: one reader reads it all
        }
    }
    const bool firstRead = readRange(source, buffer, markEnd, second ? *takeover : size, first, keepGoing);
    if (!firstRead)
        abandoned = true;
    if (helper)
        helper->join();
    if (!firstRead || !secondRead)
        return std::nullopt;

    first.finish(second ? &*second : nullptr);
    return CountedSource{first.count(), first.takeCheckpoints()};
}

std::optional<TextCount> countFile(std::string_view path, core::EncodingChoice choice, const PassOptions& options)
{
    const std::optional<FileSource> source = FileSource::open(path);
    if (!source)
        return std::nullopt;
    std::optional<CountedSource> counted = countPass(*source, choice, options);
    if (!counted)
        return std::nullopt;
    return counted->count;
}

} // namespace qytxt::split
