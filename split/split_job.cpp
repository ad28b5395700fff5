#include "split/split_job.h"

#include "core/file_copy.h"
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
#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

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

// Hands out the parts in order, each with its byte range: the lookups read the source through its
// one buffer, so they are made one at a time, under the lock.
class PartQueue {
public:
    struct Part {
        std::int64_t number = 0;
        core::Text path;
        std::int64_t begin = 0;
        std::optional<std::int64_t> end; // nothing when the source can no longer be read
        std::string_view prefix;
    };

    using PartStart = std::function<std::optional<std::int64_t>(std::int64_t part)>;

    PartQueue(FileSource& source, PartStart partStart, const PartPlan& plan, const core::Text& folder,
              const core::Text& title, std::string_view mark, const std::function<bool()>& stopRequested)
        : m_source(source), m_partStart(std::move(partStart)), m_plan(plan), m_folder(folder), m_title(title),
          m_mark(mark), m_stopRequested(stopRequested)
    {
    }

    // The next part, or nothing once every part is handed out or a stop is asked for.
    std::optional<Part> take()
    {
        const std::lock_guard lock(m_mutex);
        if (m_stopped || m_next > m_plan.partCount())
            return std::nullopt;
        if (m_stopRequested()) {
            m_stopped = true;
            return std::nullopt;
        }
        const std::int64_t part = m_next++;
        // The first part starts at the first byte, its mark included, and the last ends at the
        // last, so that nothing before the first cut or after the last one is lost.
        Part result{part,
                    m_plan.isUnnumbered() ? unnumberedPartFilePath(m_folder, m_title)
                                          : partFilePath(m_folder, m_title, part),
                    m_begin, part == m_plan.partCount() ? m_source.size() : m_partStart(part + 1),
                    part == 1 ? std::string_view() : m_mark};
        if (result.end) {
            result.end = std::max(*result.end, m_begin);
            m_begin = *result.end;
        }
        return result;
    }

    void stop()
    {
        const std::lock_guard lock(m_mutex);
        m_stopped = true;
    }
    bool stopped() const
    {
        const std::lock_guard lock(m_mutex);
        return m_stopped;
    }

    void markUnwritten(std::int64_t part, const core::Text& path)
    {
        const std::lock_guard lock(m_mutex);
        ++m_unwritten;
        if (m_firstUnwrittenPart == 0 || part < m_firstUnwrittenPart) {
            m_firstUnwrittenPart = part;
            m_firstUnwritten = path;
        }
    }
    std::int64_t unwritten() const
    {
        const std::lock_guard lock(m_mutex);
        return m_unwritten;
    }
    core::Text firstUnwritten() const
    {
        const std::lock_guard lock(m_mutex);
        return m_firstUnwritten;
    }

private:
    FileSource& m_source;
    PartStart m_partStart; // reads the source through its one buffer: called under the lock only
    const PartPlan& m_plan;
    const core::Text& m_folder;
    const core::Text& m_title;
    std::string_view m_mark;
    const std::function<bool()>& m_stopRequested;

    mutable std::mutex m_mutex;
    std::int64_t m_next = 1;
    std::int64_t m_begin = 0;
    bool m_stopped = false;
    std::int64_t m_unwritten = 0;
    std::int64_t m_firstUnwrittenPart = 0;
    core::Text m_firstUnwritten;
};

// Sources from this size on are copied by two threads at once; below it a second thread gains
// nothing worth its start.
constexpr std::int64_t kSideBySideCopy = std::int64_t{4} << 20;

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
    PartQueue queue(*source, partStart, *plan, folder, title, mark, stopRequested);
    std::atomic<std::int64_t> finished{0};
    const auto copyParts = [&queue, &source, &stopRequested, &finished](core::FileCopier& copier,
                                                                        const std::function<void()>& onCopied) {
        while (const std::optional<PartQueue::Part> part = queue.take()) {
            // A source that can no longer be read leaves this part unwritten; the next ones are tried.
            const FileSource::Copy copy =
                part->end ? source->copyTo(copier, part->path, part->begin, *part->end, stopRequested, part->prefix)
                          : FileSource::Copy::Failed;
            if (copy == FileSource::Copy::Stopped) {
                queue.stop(); // the unfinished part is gone; every part that remains is whole
                return;
            }
            if (copy == FileSource::Copy::Failed)
                queue.markUnwritten(part->number, part->path);
            ++finished;
            if (onCopied)
                onCopied();
        }
    };
    {
        // The kernel's copying is most of a split's time: a large source is copied by this thread and
        // one more side by side, each taking the next part as it finishes one. Only this thread
        // speaks to the window.
        core::FileCopier helperCopier;
        std::optional<std::jthread> helper;
        if (source->size() >= kSideBySideCopy && plan->partCount() > 1 && std::thread::hardware_concurrency() > 1)
            helper.emplace([&copyParts, &helperCopier] { copyParts(helperCopier, {}); });
        core::FileCopier copier;
        copyParts(copier, [&] {
            if (showProgress)
                window.setSplitButtonCaption(progressCaption(finished.load(), total));
        });
        if (helper) {
            helper.reset(); // waits for the part it is copying
            if (showProgress && !queue.stopped())
                window.setSplitButtonCaption(progressCaption(finished.load(), total));
        }
    }
    if (queue.stopped())
        return stop();
    const std::int64_t unwritten = queue.unwritten();
    const core::Text firstUnwritten = queue.firstUnwritten();

    if (unwritten > 0) {
        core::Text message(texts::kMessageFailed);
        message.append(core::integerToText(unwritten)).append(texts::kMessageUnwrittenCount).append(firstUnwritten);
        return report(window, state, message, SplitOutcome::Failed);
    }
    return report(window, state, text(texts::kMessageDone), SplitOutcome::Completed);
}

} // namespace qytxt::split
