#include "cli/commands.h"
#include "cli/merge_inputs.h"
#include "cli/option_reader.h"
#include "cli/terminal.h"
#include "cli/usage.h"
#include "core/text.h"
#include "merge/merge_job.h"
#include "merge/merge_texts.h"
#include "merge/merge_window.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace qytxt::cli {
namespace {

// The merge job's window on a terminal: a fixed list of inputs, progress on stderr.
class TerminalMergeWindow final : public merge::MergeWindow, public TerminalMessages {
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

private:
    std::vector<core::Text> m_inputs;
    core::Text m_output;
};

constexpr OptionSpec kMergeOptions[] = {{"--output", true}, {"--natural", false}};

} // namespace

int runMergeCommand(std::span<const std::string_view> args)
{
    std::variant<Arguments, ArgumentStop> read = readArguments(args, kMergeOptions);
    if (const auto* stop = std::get_if<ArgumentStop>(&read))
        return stopCommand("merge", *stop);
    Arguments& arguments = std::get<Arguments>(read);
    const core::Text* output = arguments.value("--output");
    if (output == nullptr || output->empty())
        return usageError("merge", "needs --output OUT");
    const std::vector<core::Text>& operands = arguments.operands;
    if (operands.empty())
        return usageError("merge", "needs at least one input");
    // An empty path would read as the end of the list.
    if (std::find(operands.begin(), operands.end(), core::Text()) != operands.end())
        return usageError("merge", "an input path is empty");
    auto inputs = mergeInputs(operands, *output, arguments.has("--natural"));
    if (const auto* problem = std::get_if<std::string>(&inputs)) {
        std::fprintf(stderr, "qytxt-cli merge: %s\n", problem->c_str());
        return 1;
    }

    TerminalMergeWindow window(std::move(std::get<std::vector<core::Text>>(inputs)), *output);
    merge::MergeJobState state;
    const merge::MergeOutcome outcome = merge::runMergeJob(window, state);
    // A completed merge may still have something to say (inputs in another encoding).
    const bool completed = outcome == merge::MergeOutcome::Completed;
    if (!completed || window.message() != merge::texts::kMessageDone)
        printLine(stderr, window.message());
    return completed ? 0 : 1;
}

} // namespace qytxt::cli
