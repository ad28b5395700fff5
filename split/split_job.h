#pragma once

#include "core/text.h"
#include "core/text_encoding.h"
#include "split/heading_rules.h"
#include "split/split_window.h"

#include <atomic>

namespace qytxt::split {

// By chapters, every part but the first starts at a heading's line and holds the number of chapters.
enum class SplitMode { ByParts, BySize, ByChapters };

// What one split works from, read from the split panel when the job starts.
struct SplitRequest {
    core::Text sourcePath;
    core::Text outputFolder;
    SplitMode mode = SplitMode::ByParts;
    core::Text numberText;        // exactly as typed
    bool atLines = false;         // by parts or size, each cut moves forward to the start of the next line
    HeadingMatcher headings = {}; // by chapters, what a heading is
};

// Shared by the job and the window that started it.
struct SplitJobState {
    std::atomic<bool> claimed{false};       // a job holds the split, from before its checks to its end
    std::atomic<bool> running{false};       // from the start of the work until the report
    std::atomic<bool> stopRequested{false}; // set by the window when it closes
};

enum class SplitOutcome {
    Busy,      // another job held the split; nothing was done or shown
    Rejected,  // a check failed before any work; the button was never touched
    Completed, // "分割完成" was reported
    Failed,    // some other message was reported (unreadable source, invalid number, unwritten parts)
    Stopped,   // a stop request ended the job; nothing more was reported
};

// The source is read in `encoding`, or in the one its bytes show when none is given.
SplitOutcome runSplitJob(const SplitRequest& request, SplitWindow& window, SplitJobState& state,
                         core::EncodingChoice encoding = std::nullopt);

} // namespace qytxt::split
