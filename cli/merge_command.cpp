#include "cli/commands.h"
#include "cli/terminal.h"
#include "cli/usage.h"
#include "core/encoding.h"
#include "core/text.h"
#include "merge/merge_job.h"
#include "merge/merge_window.h"

#include <cstdio>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qytxt::cli {
namespace {

// The merge job's window on a terminal: a fixed list of inputs, progress on stderr.
class TerminalMergeWindow final : public merge::MergeWindow {
public:
    TerminalMergeWindow(std::vector<core::Text> inputs, core::Text output)
        : m_inputs(std::move(inputs)), m_output(std::move(output))
    {
    }

    core::Text entryText(int index) override
    {
        if (index < 0 || index >= entryCount())
            return {};
        return m_inputs[static_cast<std::size_t>(index)];
    }
    int entryCount() override { return static_cast<int>(m_inputs.size()); }
    core::Text outputPath() override { return m_output; }
    void setMergeButtonCaption(const core::Text& caption) override { m_progress.show(caption); }
    void setMergeButtonEnabled(bool) override {}

    // The job's report ends the run; the idle caption that follows draws nothing.
    void showMessage(const core::Text& text, const core::Text&) override
    {
        m_progress.end();
        m_message = text;
    }

    const core::Text& message() const { return m_message; }

private:
    std::vector<core::Text> m_inputs;
    core::Text m_output;
    core::Text m_message;
    ProgressLine m_progress;
};

int usageError()
{
    printUsage(stderr);
    return kUsageError;
}

} // namespace

int runMergeCommand(std::span<const std::string_view> args)
{
    std::optional<core::Text> output;
    std::vector<core::Text> inputs;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string_view arg = args[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && arg == "--output") {
            if (output || i + 1 == args.size())
                return usageError();
            output = core::utf8ToGbk(args[++i]);
            if (!output || output->empty())
                return usageError();
            continue;
        }
        if (!optionsEnded && arg.starts_with("-") && arg.size() > 1)
            return usageError();
        const std::optional<core::Text> input = core::utf8ToGbk(arg);
        // An empty path would read as the end of the list.
        if (!input || input->empty())
            return usageError();
        inputs.push_back(*input);
    }
    if (!output || inputs.empty())
        return usageError();

    TerminalMergeWindow window(std::move(inputs), *output);
    merge::MergeJobState state;
    const merge::MergeOutcome outcome = merge::runMergeJob(window, state);
    if (outcome == merge::MergeOutcome::Completed)
        return 0;
    printLine(stderr, window.message());
    return 1;
}

} // namespace qytxt::cli
