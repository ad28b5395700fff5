#pragma once

#include "merge/merge_window.h"

#include <atomic>

namespace qytxt::merge {

// Shared by the merge jobs and the window that starts them.
struct MergeJobState {
    std::atomic<bool> claimed{false};       // a job holds the merge, from before its checks to its end
    std::atomic<bool> running{false};       // past the checks until the output is closed
    std::atomic<bool> outputOpen{false};    // the output file is being written
    std::atomic<bool> stopRequested{false}; // set by the window when it closes
};

enum class MergeOutcome {
    Busy,      // another job held the merge; nothing was done or shown
    Rejected,  // a check failed; its message was shown and no file was touched
    Completed, // "合并完成" was reported
    Failed,    // another message was reported (output not created, unreadable inputs, write error)
    Stopped,   // a stop request ended the job; the output holds the whole inputs merged so far
};

MergeOutcome runMergeJob(MergeWindow& window, MergeJobState& state);

} // namespace qytxt::merge
