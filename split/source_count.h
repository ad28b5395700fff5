#pragma once

#include "core/file_ops.h"
#include "core/text.h"
#include "split/text_count.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

// Counting a novel of a few GB takes a noticeable time, and the preview asks for the count at every
// keystroke: the counts of the last few sources are kept while their files stay unchanged.
namespace qytxt::split {

// Only regular files are stamped, so those are the only ones ever counted here.
using core::FileStamp;
using core::stampFile;

// The counts of the last few files, newest first. Not thread-safe: one thread owns it.
class SourceCountCache {
public:
    static constexpr std::size_t kDefaultCapacity = 4;

    explicit SourceCountCache(std::size_t capacity = kDefaultCapacity) : m_capacity(capacity) {}

    // The count kept for `path`, if it was taken of the file as `stamp` describes it.
    std::optional<TextCount> find(const core::Text& path, const FileStamp& stamp) const;

    // Keeps the count, replacing any older one of the same path; the oldest entry goes when full.
    void store(const core::Text& path, const FileStamp& stamp, const TextCount& count);

private:
    struct Entry {
        core::Text path;
        FileStamp stamp;
        TextCount count;
    };
    std::size_t m_capacity;
    std::vector<Entry> m_entries;
};

struct SourceCount {
    std::optional<TextCount> count; // nothing: the file cannot be read, or the count was stopped
    bool reusable = false;          // the file stayed as stamped all along: the count may be kept
};

// Counts the file at `path`, which `before` stamped; a file that changes meanwhile is counted, but
// its count is not reusable.
SourceCount countSource(const core::Text& path, const FileStamp& before,
                        const std::function<bool()>& stopRequested = {});

} // namespace qytxt::split
