#include "merge/merge_job.h"

#include "core/file_ops.h"
#include "core/numbers.h"
#include "merge/merge_texts.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace qytxt::merge {
namespace {

using namespace texts;

constexpr std::size_t kListedUnreadable = 10;

// Holds the merge for one job and gives it back however the job ends.
class Claim {
public:
    explicit Claim(std::atomic<bool>& claimed) : m_claimed(claimed)
    {
        bool expected = false;
        m_held = m_claimed.compare_exchange_strong(expected, true);
    }
    ~Claim()
    {
        if (m_held)
            m_claimed.store(false);
    }
    Claim(const Claim&) = delete;
    Claim& operator=(const Claim&) = delete;

    bool held() const { return m_held; }

private:
    std::atomic<bool>& m_claimed;
    bool m_held = false;
};

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

core::Text completionMessage(const std::vector<core::Text>& unreadable)
{
    if (unreadable.empty())
        return core::Text(kMessageDone);
    core::Text message(kMessageDoneUnreadable);
    const std::size_t listed = std::min(unreadable.size(), kListedUnreadable);
    for (std::size_t i = 0; i < listed; ++i)
        message.append(kLineBreak).append(unreadable[i]);
    if (unreadable.size() > listed)
        message.append(kLineBreak)
            .append(kMoreBefore)
            .append(core::integerToText(static_cast<std::int64_t>(unreadable.size() - listed)))
            .append(kMoreAfter);
    return message;
}

MergeOutcome report(MergeWindow& window, const core::Text& message, MergeOutcome outcome)
{
    window.showMessage(message, core::Text(kMessageTitle));
    window.setMergeButtonCaption(core::Text(kCaptionIdle));
    window.setMergeButtonEnabled(true);
    return outcome;
}

} // namespace

MergeOutcome runMergeJob(MergeWindow& window, MergeJobState& state)
{
    const Claim claim(state.claimed);
    if (!claim.held())
        return MergeOutcome::Busy;
    // A window that is already closing gets no new output file emptied behind its back.
    if (state.stopRequested.load())
        return MergeOutcome::Stopped;

    if (window.entryText(0).empty()) {
        window.showMessage(core::Text(kMessageNoInputs), core::Text(kMessageTitle));
        return MergeOutcome::Rejected;
    }
    // Read once: the path that was checked is the path that gets emptied and written.
    const core::Text outputPath = window.outputPath();
    if (outputPath.empty()) {
        window.showMessage(core::Text(kMessageNoOutput), core::Text(kMessageTitle));
        return MergeOutcome::Rejected;
    }
    // Emptying the output would destroy an input that is the same file.
    const std::optional<core::FileIdentity> existingOutput = core::fileIdentity(outputPath);
    if (existingOutput && isOutputAmong(window, *existingOutput)) {
        window.showMessage(core::Text(kMessageOutputAmongInputs), core::Text(kMessageTitle));
        return MergeOutcome::Rejected;
    }

    window.setMergeButtonCaption(core::Text(kCaptionWorking));
    window.setMergeButtonEnabled(false);
    state.running.store(true);

    core::OpenFile output;
    if (core::writeFile(outputPath, {}))
        output = core::OpenFile::open(outputPath);
    if (!output.isOpen()) {
        state.running.store(false);
        return report(window, core::Text(kMessageOutputNotCreated) + outputPath, MergeOutcome::Failed);
    }
    state.outputOpen.store(true);
    // Entries added during the run are checked against the file actually written.
    const std::optional<core::FileIdentity> outputIdentity = core::fileIdentity(outputPath);

    const auto finish = [&] {
        output.close();
        state.outputOpen.store(false);
        state.running.store(false);
    };

    std::vector<core::Text> unreadable;
    core::ByteSet input; // one buffer for every input, sized by the largest
    const int steps = window.entryCount();
    for (int i = 0; i < steps; ++i) {
        if (state.stopRequested.load()) {
            finish();
            return MergeOutcome::Stopped;
        }
        // An entry removed during the run reads as empty and contributes nothing.
        const core::Text path = window.entryText(i);
        if (!path.empty()) {
            const std::optional<core::FileIdentity> identity = core::fileIdentity(path);
            const bool isOutput = identity && outputIdentity && *identity == *outputIdentity;
            if (isOutput || !core::readFileInto(path, input)) {
                unreadable.push_back(path);
            } else if (!output.write(input)) {
                finish();
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

    finish();
    if (state.stopRequested.load())
        return MergeOutcome::Stopped;
    return report(window, completionMessage(unreadable),
                  unreadable.empty() ? MergeOutcome::Completed : MergeOutcome::Failed);
}

} // namespace qytxt::merge
