#include "split/cut_finder.h"

#include "split/character_model.h"
#include "split/text_count.h"

#include <algorithm>

namespace qytxt::split {
namespace {

// A lookup from a checkpoint may start up to 3 bytes before it, and may look up to 3 bytes past
// the next one to see the whole of the last character it steps over.
constexpr std::int64_t kWindowLead = 4;
constexpr std::int64_t kWindowTail = 12;

// Steps whole characters through `window`, which starts at byte `windowStart`, from `position` on,
// adding their widths to `width`, for as long as `keepGoing()` holds. False when the window ends
// first, which an unchanged source never makes happen.
template <typename KeepGoing>
bool stepThrough(core::TextEncoding encoding, std::string_view window, std::int64_t windowStart, std::int64_t& position,
                 std::int64_t& width, KeepGoing keepGoing)
{
    while (keepGoing()) {
        const auto local = static_cast<std::size_t>(position - windowStart);
        if (local >= window.size())
            return false;
        const CharacterStep step = stepCharacter(encoding, window, local);
        width += step.width;
        position += static_cast<std::int64_t>(step.length);
    }
    return true;
}

} // namespace

std::optional<CutFinder> CutFinder::scan(ByteSource& source, core::EncodingChoice choice, HeadingScanner* headings)
{
    // A multiple of the checkpoint spacing keeps checkpoints aligned.
    constexpr std::int64_t kReadSize = kPassReadSize;
    static_assert(kReadSize % kCheckpointSpacing == 0);

    CutFinder finder(source);
    const std::int64_t size = source.size();
    TextCounter counter(choice);
    // Checkpoints in the model counted first and, while the text may still be UTF-8, in UTF-8. The
    // first one of each stands for the start of the text, known once the mark is.
    std::vector<Checkpoint> first(1);
    std::vector<Checkpoint> utf8;
    first.reserve(static_cast<std::size_t>(size / kCheckpointSpacing + 1));
    const auto checkpoint = [&counter](core::TextEncoding model) {
        const Boundary boundary = counter.boundary(model);
        return Checkpoint{-boundary.back, boundary.widthBefore};
    };
    for (std::int64_t at = 0; at < size; at += kReadSize) {
        const std::optional<std::string_view> chunk = source.read(at, kReadSize);
        if (!chunk || static_cast<std::int64_t>(chunk->size()) != std::min(kReadSize, size - at))
            return std::nullopt;
        for (std::size_t piece = 0; piece < chunk->size(); piece += kCheckpointSpacing) {
            if (at + static_cast<std::int64_t>(piece) > 0) {
                first.push_back(checkpoint(counter.firstModel()));
                if (counter.countsUtf8Too()) {
                    if (utf8.empty()) {
                        utf8.reserve(first.capacity());
                        utf8.emplace_back();
                    }
                    utf8.push_back(checkpoint(core::TextEncoding::Utf8));
                } else if (!utf8.empty()) {
                    utf8 = {}; // no longer possible: give the memory back
                }
            }
            counter.feed(chunk->substr(piece, kCheckpointSpacing));
        }
        if (headings != nullptr) {
            headings->feed(*chunk);
            if (!counter.countsUtf8Too())
                headings->keepOnly(counter.firstModel());
        }
    }
    counter.finish();
    if (headings != nullptr)
        headings->finish(counter.encoding());

    finder.m_encoding = counter.encoding();
    finder.m_markLength = static_cast<std::int64_t>(counter.markLength());
    finder.m_fullWidthLength = counter.fullWidthLength();
    const bool readAsUtf8 = counter.countsUtf8Too() && finder.m_encoding == core::TextEncoding::Utf8;
    finder.m_checkpoints = readAsUtf8 && !utf8.empty() ? std::move(utf8) : std::move(first);
    if (finder.m_checkpoints.empty())
        finder.m_checkpoints.emplace_back();
    finder.m_checkpoints.front() = {finder.m_markLength, 0};
    finder.moveCursor(finder.m_markLength, 0);
    return finder;
}

void CutFinder::moveCursor(std::int64_t position, std::int64_t width) noexcept
{
    m_position = position;
    m_positionWidth = width;
}

std::int64_t CutFinder::boundaryAt(std::size_t checkpoint) const noexcept
{
    return static_cast<std::int64_t>(checkpoint) * kCheckpointSpacing + m_checkpoints[checkpoint].fromCheckpoint();
}

bool CutFinder::loadWindow(std::size_t checkpoint)
{
    if (m_windowStart >= 0 && m_windowCheckpoint == checkpoint)
        return true;
    const std::int64_t start =
        std::max<std::int64_t>(0, static_cast<std::int64_t>(checkpoint) * kCheckpointSpacing - kWindowLead);
    const std::optional<std::string_view> bytes = m_source->read(start, kCheckpointSpacing + kWindowLead + kWindowTail);
    if (!bytes)
        return false;
    m_window.assign(*bytes);
    m_windowStart = start;
    m_windowCheckpoint = checkpoint;
    return true;
}

std::optional<std::int64_t> CutFinder::byteOffsetAt(std::int64_t fullWidthOffset)
{
    if (fullWidthOffset <= 0)
        return 0;
    if (fullWidthOffset >= m_fullWidthLength)
        return m_source->size();
    if (fullWidthOffset < m_lastOffset) {
        // An earlier offset than last time: the answer may lie before the cursor, so start over.
        m_checkpoint = 0;
        moveCursor(m_markLength, 0);
    }
    m_lastOffset = fullWidthOffset;
    if (m_positionWidth >= fullWidthOffset)
        return m_position; // the cursor is the first boundary far enough

    while (m_checkpoint + 1 < m_checkpoints.size() && m_checkpoints[m_checkpoint + 1].widthBefore() < fullWidthOffset)
        ++m_checkpoint;
    if (const std::int64_t start = boundaryAt(m_checkpoint); start > m_position)
        moveCursor(start, m_checkpoints[m_checkpoint].widthBefore());

    if (!loadWindow(m_checkpoint))
        return std::nullopt;
    // The window reaches past where this lookup stops, or ends where the source does, so a
    // character cut off by the window's end is cut off by the end of the text.
    if (!stepThrough(m_encoding, m_window, m_windowStart, m_position, m_positionWidth,
                     [&] { return m_positionWidth < fullWidthOffset; }))
        return std::nullopt;
    return m_position;
}

std::optional<std::int64_t> CutFinder::fullWidthBefore(std::int64_t byteOffset)
{
    if (byteOffset <= m_markLength)
        return 0;
    if (byteOffset >= m_source->size())
        return m_fullWidthLength;
    auto checkpoint = std::min(static_cast<std::size_t>(byteOffset / kCheckpointSpacing), m_checkpoints.size() - 1);
    while (checkpoint > 0 && boundaryAt(checkpoint) > byteOffset)
        --checkpoint;
    if (!loadWindow(checkpoint))
        return std::nullopt;
    std::int64_t position = boundaryAt(checkpoint);
    std::int64_t width = m_checkpoints[checkpoint].widthBefore();
    if (!stepThrough(m_encoding, m_window, m_windowStart, position, width, [&] { return position < byteOffset; }))
        return std::nullopt;
    return width;
}

} // namespace qytxt::split
