#include "split/split_job.h"

#include "core/file_ops.h"
#include "core/job_claim.h"
#include "core/numbers.h"
#include "split/byte_source.h"
#include "split/cut_finder.h"
#include "split/line_breaks.h"
#include "split/part_plan.h"
#include "split/split_naming.h"
#include "split/split_texts.h"

#include <algorithm>
#include <functional>
#include <optional>

namespace qytxt::split {
namespace {

core::Text text(std::string_view words)
{
    return core::Text(words);
}

// The last steps of every job that got past the checks: the report, then the idle button.
SplitOutcome report(SplitWindow& window, SplitJobState& state, const core::Text& message, SplitOutcome outcome)
{
    state.running = false;
    window.showMessage(message, text(texts::kMessageTitle), core::MessageIcon::None);
    window.setSplitButtonCaption(text(texts::kCaptionIdle));
    window.setSplitButtonEnabled(true);
    return outcome;
}

} // namespace

SplitOutcome runSplitJob(const SplitRequest& request, SplitWindow& window, SplitJobState& state,
                         core::EncodingChoice encoding)
{
    const core::JobClaim claim(state.claimed);
    if (!claim.held())
        return SplitOutcome::Busy;
    if (request.sourcePath.empty()) {
        window.showMessage(text(texts::kMessageNoSource), text(texts::kMessageTitle), core::MessageIcon::None);
        return SplitOutcome::Rejected;
    }
    if (request.outputFolder.empty()) {
        window.showMessage(text(texts::kMessageNoFolder), text(texts::kMessageTitle), core::MessageIcon::None);
        return SplitOutcome::Rejected;
    }
    window.setSplitButtonCaption(text(texts::kCaptionWorking));
    window.setSplitButtonEnabled(false);
    state.running = true;

    // The source is read once to count it and never held whole: the kernel copies each part's
    // bytes from it straight into the part file. Headings are found in the same pass.
    const bool byChapters = request.mode == SplitMode::ByChapters;
    std::optional<HeadingScanner> scanner;
    if (byChapters)
        scanner.emplace(request.headings, encoding);
    std::optional<FileSource> source = FileSource::open(request.sourcePath);
    std::optional<CutFinder> cuts;
    if (source)
        cuts = CutFinder::scan(*source, encoding, scanner ? &*scanner : nullptr);
    if (!cuts)
        return report(window, state, text(texts::kMessageUnreadable), SplitOutcome::Failed);
    if (byChapters && scanner->headings().empty())
        return report(window, state, text(texts::kMessageNoHeadings), SplitOutcome::Failed);

    const std::int64_t units =
        byChapters ? static_cast<std::int64_t>(scanner->headings().size()) : cuts->characterCount();
    const std::optional<PartPlan> plan = PartPlan::make(request.mode, units, core::textToInteger(request.numberText));
    if (!plan)
        return report(window, state, text(texts::kMessageBadNumber), SplitOutcome::Failed);

    // Where part `part` (from 2) begins: at its first chapter's heading, or at its first character,
    // moved on to the start of a line when asked.
    const auto partStart = [&](std::int64_t part) -> std::optional<std::int64_t> {
        if (byChapters)
            return scanner->headings()[static_cast<std::size_t>(plan->firstCharacter(part) - 1)].offset;
        std::optional<std::int64_t> at = cuts->byteOffsetAt(2 * (plan->firstCharacter(part) - 1));
        if (at && request.atLines)
            at = nextLineStart(*source, cuts->encoding(), cuts->markLength(), *at);
        return at;
    };

    const core::Text title = textTitle(request.sourcePath);
    const core::Text folder = partFolder(request.outputFolder, title);
    core::createFolder(folder); // an existing folder is reused; other failures show as unwritten parts

    // Split by parts counts up to the number as typed, split by size to the part count.
    const core::Text total =
        request.mode == SplitMode::ByParts ? request.numberText : core::integerToText(plan->partCount());
    const bool showProgress = cuts->characterCount() > 0;

    // Every part of a source with a byte order mark opens with that mark, as the source does.
    const std::string_view mark = cuts->markLength() > 0 ? core::byteOrderMark(cuts->encoding()) : std::string_view();
    const std::function<bool()> stopRequested = [&state] { return state.stopRequested.load(); };
    const auto stop = [&state] {
        state.running = false;
        return SplitOutcome::Stopped;
    };
    std::int64_t unwritten = 0;
    core::Text firstUnwritten;
    std::int64_t begin = 0;
    for (std::int64_t part = 1; part <= plan->partCount(); ++part) {
        if (stopRequested())
            return stop();
        // The first part starts at the first byte, its mark included, and the last ends at the
        // last, so that nothing before the first cut or after the last one is lost.
        std::optional<std::int64_t> end = part == plan->partCount() ? source->size() : partStart(part + 1);
        if (end)
            end = std::max(*end, begin);
        const core::Text path =
            plan->isUnnumbered() ? unnumberedPartFilePath(folder, title) : partFilePath(folder, title, part);
        // A source that can no longer be read leaves this part unwritten; the next ones are tried.
        const FileSource::Copy copy =
            end ? source->copyTo(path, begin, *end, stopRequested, part == 1 ? std::string_view() : mark)
                : FileSource::Copy::Failed;
        if (copy == FileSource::Copy::Stopped)
            return stop(); // the unfinished part is gone; every part that remains is whole
        if (copy == FileSource::Copy::Failed && unwritten++ == 0)
            firstUnwritten = path;
        if (end)
            begin = *end;
        if (showProgress)
            window.setSplitButtonCaption(progressCaption(part, total));
    }

    if (unwritten > 0) {
        core::Text message(texts::kMessageFailed);
        message.append(core::integerToText(unwritten)).append(texts::kMessageUnwrittenCount).append(firstUnwritten);
        return report(window, state, message, SplitOutcome::Failed);
    }
    return report(window, state, text(texts::kMessageDone), SplitOutcome::Completed);
}

} // namespace qytxt::split
