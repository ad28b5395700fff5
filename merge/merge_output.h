#pragma once

#include "core/file_copy.h"
#include "core/save_file.h"
#include "core/text.h"
#include "core/text_encoding.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace qytxt::merge {

// The output of one merge, which only ever holds whole inputs: an input that cannot be read to its
// end, or whose copy is stopped, is cut off again. Written beside the output's path and put in
// place at the end (see core::SaveFile), so the old output stays as it was until then.
//
// An input that starts with the byte order mark the output already starts with is appended without
// it, so that the parts of a split, which each carry their source's mark, merge back into the source.
class MergeOutput {
public:
    enum class Append {
        Appended,
        OtherEncoding, // appended whole, but in another encoding than the first input that has one
        Unreadable,    // not a readable regular file, a read error, or the output itself
        Stopped,       // the stop request came between two pieces; the input contributes nothing
        WriteFailed,   // the input contributes nothing
    };

    // Nothing when the output can be created neither beside its path nor in place.
    static std::optional<MergeOutput> create(const core::Text& path);

    // Copies the input's bytes after the inputs appended so far, asking `stopRequested` between
    // pieces. Its encoding is told from the bytes as they are copied, reading no byte twice.
    Append append(const core::Text& inputPath, const std::function<bool()>& stopRequested);

    // Puts the inputs appended so far in place. False when that fails (the old output is kept).
    bool commit() { return m_file.commit(); }
    // Leaves the old output as it was.
    void discard() noexcept { m_file.discard(); }

private:
    MergeOutput(core::SaveFile file, std::optional<struct stat> replaced)
        : m_file(std::move(file)), m_replaced(replaced)
    {
    }
    bool isOutput(const struct stat& input) const;
    // Takes note of an input copied whole.
    Append appended(std::string_view head, std::size_t skipped, std::int64_t copied,
                    const core::EncodingDetector& detector);

    core::SaveFile m_file;
    std::optional<struct stat> m_replaced; // the file at the output's path when the merge began
    core::FileCopier m_copier;
    std::int64_t m_end = 0; // where the last whole input ends
    std::string m_head;     // the output's first bytes, as many as the longest mark has
    // The encoding of the first input that is more than plain ASCII, which reads alike in several.
    std::optional<core::TextEncoding> m_encoding;
};

} // namespace qytxt::merge
