#pragma once

#include "core/text_encoding.h"
#include "split/byte_source.h"
#include "split/heading_scan.h"
#include "split/text_count.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

// The one pass over a whole source that tells its encoding and counts it, in the encoding's own
// character model. A large source is read by two threads side by side, each counting its half.
namespace qytxt::split {

// A character boundary at most 3 bytes before or after its checkpoint's byte (after only for the
// mark at the start), with the full-width length of the text before it: one word per KiB.
class Checkpoint {
public:
    static constexpr std::int64_t kSpacing = 1024;

    Checkpoint() = default;
    Checkpoint(std::int64_t fromCheckpoint, std::int64_t widthBefore) noexcept
        : m_packed(widthBefore * 8 + fromCheckpoint + 4)
    {
    }
    std::int64_t fromCheckpoint() const noexcept { return (m_packed & 7) - 4; }
    std::int64_t widthBefore() const noexcept { return m_packed >> 3; }

private:
    std::int64_t m_packed = 4;
};

struct PassOptions {
    // A checkpoint for every KiB of the source, the first standing for the start of the text.
    bool checkpoints = false;
    // Finds the chapter headings in the same pass; it reads the source on one thread.
    HeadingScanner* headings = nullptr;
    // Asked between pieces, from both threads when there are two.
    std::function<bool()> stopRequested;
    // Where the second thread looks for its place to start; nothing chooses the middle of a large
    // source, and an offset at or past the end reads it on one thread.
    std::optional<std::int64_t> secondReaderFrom;
    // False keeps the pass on the calling thread whatever the source's size.
    bool sideBySide = true;
};

struct CountedSource {
    TextCount count;
    std::vector<Checkpoint> checkpoints;
};

// Nothing when the source cannot be read whole, or a stop was requested.
std::optional<CountedSource> countPass(const ByteSource& source, core::EncodingChoice choice,
                                       const PassOptions& options = {});

// Counts a whole file. Nothing when the file cannot be read, or the pass gives up.
std::optional<TextCount> countFile(std::string_view path, core::EncodingChoice choice, const PassOptions& options = {});

} // namespace qytxt::split
