#pragma once

#include "core/text_encoding.h"
#include "split/byte_source.h"
#include "split/counting_pass.h"
#include "split/heading_scan.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qytxt::split {

// Maps offsets in the full-width form of a text to byte offsets in the text itself, so that parts
// can be cut from the source's own bytes. The counting pass over the source tells its encoding and
// records a checkpoint every KiB; a lookup then reads only the bytes around its checkpoint.
class CutFinder {
public:
    // Reads the whole source once, in `choice` or in the encoding it shows. Nothing when it cannot be
    // read. The source must outlive the finder. `headings`, when given, finds the chapter headings
    // in the same pass.
    static std::optional<CutFinder> scan(ByteSource& source, core::EncodingChoice choice = std::nullopt,
                                         HeadingScanner* headings = nullptr);

    core::TextEncoding encoding() const noexcept { return m_encoding; }
    // The byte order mark the source starts with; it belongs to no character.
    std::int64_t markLength() const noexcept { return m_markLength; }

    std::int64_t fullWidthLength() const noexcept { return m_fullWidthLength; }
    std::int64_t characterCount() const noexcept { return m_fullWidthLength / 2; }

    // The first character boundary whose prefix has at least `fullWidthOffset` full-width bytes, so
    // an offset inside a character moves to that character's end; the end of the source for offsets
    // at or past the end of the full-width form, and 0 (before any mark) for offsets of 0 or less.
    // Fastest when called with offsets that never decrease; any order gives the right answer.
    // Nothing when the source cannot be read any more.
    std::optional<std::int64_t> byteOffsetAt(std::int64_t fullWidthOffset);

    // The full-width length of the text before `byteOffset`, a character boundary (an offset inside
    // a character counts that character). Nothing when the source cannot be read any more.
    std::optional<std::int64_t> fullWidthBefore(std::int64_t byteOffset);

private:
    explicit CutFinder(ByteSource& source) : m_source(&source) {}
    bool loadWindow(std::size_t checkpoint);
    std::int64_t boundaryAt(std::size_t checkpoint) const noexcept;
    void moveCursor(std::int64_t position, std::int64_t width) noexcept;

    ByteSource* m_source;
    core::TextEncoding m_encoding = core::TextEncoding::Gbk;
    std::int64_t m_markLength = 0;
    std::int64_t m_fullWidthLength = 0;
    std::vector<Checkpoint> m_checkpoints; // one per KiB of the source, the first after the mark

    // The bytes around one checkpoint, as far as past the next one as any lookup from it looks.
    std::size_t m_windowCheckpoint = 0;
    std::int64_t m_windowStart = -1;
    std::string m_window;

    // Where the last lookup ended: a character boundary and the full-width length before it.
    std::size_t m_checkpoint = 0;
    std::int64_t m_position = 0;
    std::int64_t m_positionWidth = 0;
    std::int64_t m_lastOffset = 0;
};

} // namespace qytxt::split
