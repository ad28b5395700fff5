#include "split/cut_finder.h"

#include "core/gbk.h"
#include "split/character_count.h"

#include <algorithm>

namespace qytxt::split {

std::optional<CutFinder> CutFinder::scan(ByteSource& source)
{
    // Large reads for the one pass; a multiple of the checkpoint spacing keeps checkpoints aligned.
    constexpr std::int64_t kReadSize = std::int64_t{1} << 20;
    static_assert(kReadSize % kCheckpointSpacing == 0);

    CutFinder finder(source);
    const std::int64_t size = source.size();
    finder.m_checkpoints.reserve(static_cast<std::size_t>(size / kCheckpointSpacing + 1));
    CharacterCounter counter;
    for (std::int64_t at = 0; at < size; at += kReadSize) {
        const std::optional<std::string_view> chunk = source.read(at, kReadSize);
        if (!chunk || static_cast<std::int64_t>(chunk->size()) != std::min(kReadSize, size - at))
            return std::nullopt;
        for (std::size_t piece = 0; piece < chunk->size(); piece += kCheckpointSpacing) {
            finder.m_checkpoints.push_back({counter.fullWidthLength(), counter.insideCharacter()});
            counter.feed(chunk->substr(piece, kCheckpointSpacing));
        }
    }
    if (finder.m_checkpoints.empty())
        finder.m_checkpoints.push_back({0, false});
    finder.m_fullWidthLength = counter.fullWidthLength();
    return finder;
}

bool CutFinder::loadWindow(std::size_t checkpoint)
{
    if (m_windowStart >= 0 && m_windowCheckpoint == checkpoint)
        return true;
    // Two bytes past the next checkpoint: a lookup stops at or before it, and may need to see the
    // second byte of the character starting just before it.
    const std::int64_t start = static_cast<std::int64_t>(checkpoint) * kCheckpointSpacing;
    const std::optional<std::string_view> bytes = m_source->read(start, kCheckpointSpacing + 2);
    if (!bytes)
        return false;
    m_window.assign(*bytes);
    m_windowStart = start;
    m_windowCheckpoint = checkpoint;
    return true;
}

std::optional<std::int64_t> CutFinder::byteOffsetAt(std::int64_t fullWidthOffset)
{
    const std::int64_t size = m_source->size();
    if (fullWidthOffset <= 0)
        return 0;
    if (fullWidthOffset >= m_fullWidthLength)
        return size;
    if (fullWidthOffset < m_lastOffset) {
        // An earlier offset than last time: the answer may lie before the cursor, so start over.
        m_checkpoint = 0;
        m_position = 0;
        m_positionWidth = 0;
    }
    m_lastOffset = fullWidthOffset;
    if (m_positionWidth >= fullWidthOffset)
        return m_position; // the cursor is the first boundary far enough

    while (m_checkpoint + 1 < m_checkpoints.size() && m_checkpoints[m_checkpoint + 1].fullWidthOffset < fullWidthOffset)
        ++m_checkpoint;
    const Checkpoint& checkpoint = m_checkpoints[m_checkpoint];
    std::int64_t start = static_cast<std::int64_t>(m_checkpoint) * kCheckpointSpacing;
    std::int64_t startWidth = checkpoint.fullWidthOffset;
    if (checkpoint.atSecondByte) {
        // Its lead byte counted nothing yet; the pair ends one byte on.
        ++start;
        startWidth += 2;
    }
    if (start > m_position) {
        m_position = start;
        m_positionWidth = startWidth;
    }
    if (m_positionWidth >= fullWidthOffset)
        return m_position;

    if (!loadWindow(m_checkpoint))
        return std::nullopt;
    const std::string_view window = m_window;
    // The window ends at the text's end or past where this lookup stops, so a lead byte that is the
    // window's last byte is a lone lead byte at the end of the text.
    while (m_positionWidth < fullWidthOffset) {
        const auto local = static_cast<std::size_t>(m_position - m_windowStart);
        if (local >= window.size())
            return std::nullopt; // cannot happen with an unchanged source
        const std::size_t length = core::gbk::characterLength(window, local);
        if (length == 0) {
            m_position = size;
            break;
        }
        const auto byte = static_cast<unsigned char>(window[local]);
        const bool fullCharacter = length == 2 || (byte >= 0x20 && byte < 0x7F);
        m_positionWidth += fullCharacter ? 2 : 1;
        m_position += static_cast<std::int64_t>(length);
    }
    return m_position;
}

} // namespace qytxt::split
