#include "merge/merge_job.h"

#include "core/file_ops.h"
#include "core/job_claim.h"
#include "core/numbers.h"
#include "merge/merge_output.h"
#include "merge/merge_texts.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

namespace qytxt::merge {
namespace {

using namespace texts;

constexpr std::size_t kListedPaths = 10;

bool isOutputAmong(MergeWindow& window, const core::FileIdentity& output)
{
    const int count = window.entryCount();
    for (int i = 0; i < count; ++i) {
        const std::optional<core::FileIdentity> entry = core::fileIdentity(window.entryText(i));
        if (entry && *entry == output)
            return true;
    }
    return false;
}

// A list of paths under its heading: the first ten, then how many more.
void appendList(core::Text& message, std::string_view heading, const std::vector<core::Text>& paths)
{
    message.append(heading);
    const std::size_t listed = std::min(paths.size(), kListedPaths);
    for (std::size_t i = 0; i < listed; ++i)
        message.append(kLineBreak).append(paths[i]);
    if (paths.size() > listed)
        message.append(kLineBreak)
            .append(kMoreBefore)
            .append(core::integerToText(static_cast<std::int64_t>(paths.size() - listed)))
            .append(kMoreAfter);
}

// What was not merged comes first; the inputs in another encoding were merged all the same.
core::Text completionMessage(const std::vector<core::Text>& unreadable, const std::vector<core::Text>& otherEncoding)
{
    if (unreadable.empty() && otherEncoding.empty())
        return core::Text(kMessageDone);
    core::Text message(kMessageDoneBut);
    if (!unreadable.empty())
        appendList(message, kListUnreadable, unreadable);
    if (!unreadable.empty() && !otherEncoding.empty())
        message.append(kLineBreak).append(kLineBreak);
    if (!otherEncoding.empty())
        appendList(message, kListOtherEncoding, otherEncoding);
    return message;
}

MergeOutcome report(MergeWindow& window, const core::Text& message, MergeOutcome outcome)
{
    window.showMessage(message, core::Text(kMessageTitle), core::MessageIcon::None);
    window.setMergeButtonCaption(core::Text(kCaptionIdle));
    window.setMergeButtonEnabled(true);
    return outcome;
}

} // namespace

MergeOutcome runMergeJob(MergeWindow& window, MergeJobState& state)
{
    const core::JobClaim claim(state.claimed);
    if (!claim.held())
        return MergeOutcome::Busy;
    // A window that is already closing gets no output replaced behind its back.
    if (state.stopRequested.load())
        return MergeOutcome::Stopped;

    if (window.entryText(0).empty()) {
        window.showMessage(core::Text(kMessageNoInputs), core::Text(kMessageTitle), core::MessageIcon::None);
        return MergeOutcome::Rejected;
    }
    // Read once: the path that was checked is the path that gets written.
    const core::Text outputPath = window.outputPath();
    if (outputPath.empty()) {
        window.showMessage(core::Text(kMessageNoOutput), core::Text(kMessageTitle), core::MessageIcon::None);
        return MergeOutcome::Rejected;
    }
    // An output that is also an input would replace it, or be read into itself.
    const std::optional<core::FileIdentity> existingOutput = core::fileIdentity(outputPath);
    if (existingOutput && isOutputAmong(window, *existingOutput)) {
        window.showMessage(core::Text(kMessageOutputAmongInputs), core::Text(kMessageTitle), core::MessageIcon::None);
        return MergeOutcome::Rejected;
    }

    window.setMergeButtonCaption(core::Text(kCaptionWorking));
    window.setMergeButtonEnabled(false);
    state.running.store(true);

    std::optional<MergeOutput> output = MergeOutput::create(outputPath);
    if (!output) {
        state.running.store(false);
        return report(window, core::Text(kMessageOutputNotCreated) + outputPath, MergeOutcome::Failed);
    }
    state.outputOpen.store(true);

    // Keeping the output puts it in place; otherwise the old output stays as it was.
    const auto finish = [&](bool keep) {
        const bool kept = keep && output->commit();
        if (!keep)
            output->discard();
        state.outputOpen.store(false);
        state.running.store(false);
        return kept;
    };
    const std::function<bool()> stopRequested = [&state] { return state.stopRequested.load(); };

    std::vector<core::Text> unreadable;
    std::vector<core::Text> otherEncoding;
    bool anyAppended = false;
    const int steps = window.entryCount();
    for (int i = 0; i < steps; ++i) {
        if (stopRequested()) {
            finish(anyAppended); // with the whole inputs merged so far; none leaves the old output
            return MergeOutcome::Stopped;
        }
        // An entry removed during the run reads as empty and contributes nothing.
        const core::Text path = window.entryText(i);
        if (!path.empty()) {
            switch (output->append(path, stopRequested)) {
            case MergeOutput::Append::OtherEncoding:
                otherEncoding.push_back(path);
                [[fallthrough]];
            case MergeOutput::Append::Appended:
                anyAppended = true;
                break;
            case MergeOutput::Append::Unreadable:
                unreadable.push_back(path);
                break;
            case MergeOutput::Append::Stopped:
                finish(anyAppended);
                return MergeOutcome::Stopped;
            case MergeOutput::Append::WriteFailed:
                finish(false);
                return report(window, core::Text(kMessageWriteFailed), MergeOutcome::Failed);
            }
        }
        core::Text caption(kCaptionWorking);
        caption.append(kLineBreak)
            .append(core::integerToText(i))
            .append("/")
            .append(core::integerToText(static_cast<std::int64_t>(window.entryCount()) - 1));
        window.setMergeButtonCaption(caption);
    }

    // Nothing could be read: an empty file would only destroy the old output.
    const bool keep = anyAppended || unreadable.empty();
    const bool kept = finish(keep);
    if (state.stopRequested.load())
        return MergeOutcome::Stopped;
    if (keep && !kept)
        return report(window, core::Text(kMessageWriteFailed), MergeOutcome::Failed);
    return report(window, completionMessage(unreadable, otherEncoding),
                  unreadable.empty() ? MergeOutcome::Completed : MergeOutcome::Failed);
}

} // namespace qytxt::merge
