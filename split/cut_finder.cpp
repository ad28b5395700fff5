#include "split/cut_finder.h"

#include "split/character_model.h"

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
    PassOptions options;
    options.checkpoints = true;
    options.headings = headings;
    std::optional<CountedSource> counted = countPass(source, choice, options);
    if (!counted)
        return std::nullopt;
    CutFinder finder(source);
    finder.m_encoding = counted->count.encoding;
    finder.m_markLength = static_cast<std::int64_t>(counted->count.markLength);
    finder.m_fullWidthLength = counted->count.fullWidthLength;
    finder.m_checkpoints = std::move(counted->checkpoints);
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
    return static_cast<std::int64_t>(checkpoint) * Checkpoint::kSpacing + m_checkpoints[checkpoint].fromCheckpoint();
}

bool CutFinder::loadWindow(std::size_t checkpoint)
{
    if (m_windowStart >= 0 && m_windowCheckpoint == checkpoint)
        return true;
    const std::int64_t start =
        std::max<std::int64_t>(0, static_cast<std::int64_t>(checkpoint) * Checkpoint::kSpacing - kWindowLead);
    const std::optional<std::string_view> bytes =
        m_source->read(start, Checkpoint::kSpacing + kWindowLead + kWindowTail);
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
    auto checkpoint = std::min(static_cast<std::size_t>(byteOffset / Checkpoint::kSpacing), m_checkpoints.size() - 1);
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
