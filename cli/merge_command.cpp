#include "cli/commands.h"
#include "cli/usage.h"
#include "core/encoding.h"
#include "core/text.h"
#include "merge/merge_job.h"
#include "merge/merge_window.h"

#include <cstdio>
#include <optional>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

namespace qytxt::cli {
namespace {

// The merge job's window on a terminal: a fixed list of inputs, progress on stderr.
class TerminalMergeWindow final : public merge::MergeWindow {
public:
    TerminalMergeWindow(std::vector<core::Text> inputs, core::Text output)
        : m_inputs(std::move(inputs)), m_output(std::move(output)), m_showProgress(::isatty(STDERR_FILENO) == 1)
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

    void setMergeButtonCaption(const core::Text& caption) override
    {
        if (!m_showProgress)
            return;
        // The two-line button caption becomes one line that the next caption overwrites.
        std::fprintf(stderr, "\r%s\033[K", toTerminal(caption, " ").c_str());
        std::fflush(stderr);
        m_progressShown = true;
    }
    void setMergeButtonEnabled(bool) override {}

    // The job's report ends the run; the idle caption that follows means nothing on a terminal.
    void showMessage(const core::Text& text, const core::Text&) override
    {
        m_message = text;
        m_showProgress = false;
    }

    // Ends the progress line so that what follows starts on a line of its own.
    void endProgress()
    {
        if (m_progressShown)
            std::fputc('\n', stderr);
        m_progressShown = false;
    }

    const core::Text& message() const { return m_message; }

    // Window texts break lines with CR LF; the terminal gets `lineBreak` instead. Paths came from the
    // terminal, so they convert back; should one not, its raw bytes are better than nothing.
    static std::string toTerminal(const core::Text& text, std::string_view lineBreak)
    {
        std::string utf8 = core::gbkToUtf8(text).value_or(text);
        for (std::size_t at = utf8.find("\r\n"); at != std::string::npos; at = utf8.find("\r\n", at + lineBreak.size()))
            utf8.replace(at, 2, lineBreak);
        return utf8;
    }

private:
    std::vector<core::Text> m_inputs;
    core::Text m_output;
    core::Text m_message;
    bool m_showProgress;
    bool m_progressShown = false;
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
    window.endProgress();
    if (outcome == merge::MergeOutcome::Completed)
        return 0;
    std::fprintf(stderr, "%s\n", TerminalMergeWindow::toTerminal(window.message(), "\n").c_str());
    return 1;
}

} // namespace qytxt::cli
