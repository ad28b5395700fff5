#pragma once

#include "split/byte_source.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace qytxt::split {

// Maps offsets in the full-width form of a text to byte offsets in the text itself, so that parts
// can be cut from the source's own bytes. One counting pass over the source records a checkpoint
// every KiB; a lookup then reads only the bytes around its checkpoint.
class CutFinder {
public:
    // Reads the whole source once. Nothing when it cannot be read. The source must outlive the finder.
    static std::optional<CutFinder> scan(ByteSource& source);

    std::int64_t fullWidthLength() const noexcept { return m_fullWidthLength; }
    std::int64_t characterCount() const noexcept { return m_fullWidthLength / 2; }

    // The first character boundary whose prefix has at least `fullWidthOffset` full-width bytes, so
    // an offset inside a character moves to that character's end; the end of the text for offsets
    // at or past the end of the full-width form, and 0 for offsets of 0 or less. Fastest when called
    // with offsets that never decrease; any order gives the right answer. Nothing when the source
    // cannot be read any more.
    std::optional<std::int64_t> byteOffsetAt(std::int64_t fullWidthOffset);

private:
    struct Checkpoint {
        std::int64_t fullWidthOffset; // of the text before this checkpoint's byte
        bool atSecondByte;            // the byte here is the second byte of a two-byte character
    };
    static constexpr std::int64_t kCheckpointSpacing = 1024;

    explicit CutFinder(ByteSource& source) : m_source(&source) {}
    bool loadWindow(std::size_t checkpoint);

    ByteSource* m_source;
    std::int64_t m_fullWidthLength = 0;
    std::vector<Checkpoint> m_checkpoints;

    // The bytes from one checkpoint to just past the next, where every lookup from it ends.
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
