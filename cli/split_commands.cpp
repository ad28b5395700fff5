#include "cli/commands.h"
#include "cli/terminal.h"
#include "cli/usage.h"

#include "core/encoding.h"
#include "core/path.h"
#include "core/text_ops.h"
#include "split/preview.h"
#include "split/split_job.h"
#include "split/split_window.h"

#include <cstdio>
#include <optional>
#include <vector>

namespace qytxt::cli {
namespace {

// The window's part in a split, played on the terminal: the message is kept for the exit status,
// and the progress is drawn on stderr when someone is watching.
class TerminalSplitWindow final : public split::SplitWindow {
public:
    void showMessage(const core::Text& text, const core::Text&) override
    {
        m_progress.end(); // the report goes below the last progress line
        m_message = text;
    }
    void setSplitButtonCaption(const core::Text& caption) override { m_progress.show(caption); }
    void setSplitButtonEnabled(bool) override {}

    const core::Text& message() const noexcept { return m_message; }

private:
    ProgressLine m_progress;
    core::Text m_message;
};

// The window always hands the job a full path; a bare file name typed in a terminal means the file
// in the current folder, and without a folder separator the text would have no title.
core::Text withFolder(core::Text path)
{
    if (!path.empty() && core::findFirst(path, core::kPathSeparator) < 0)
        path.insert(0, core::Text(".") + core::Text(core::kPathSeparator));
    return path;
}

struct ParsedArguments {
    split::SplitMode mode = split::SplitMode::ByParts;
    std::vector<core::Text> values; // the number text, then the paths, all converted to GBK
};

// --parts N or --size N followed by exactly `paths` paths. Nothing on a usage error.
std::optional<ParsedArguments> parse(std::span<const std::string_view> args, std::size_t paths)
{
    if (args.size() != 2 + paths)
        return std::nullopt;
    ParsedArguments parsed;
    if (args[0] == "--parts")
        parsed.mode = split::SplitMode::ByParts;
    else if (args[0] == "--size")
        parsed.mode = split::SplitMode::BySize;
    else
        return std::nullopt;
    for (std::size_t i = 1; i < args.size(); ++i) {
        std::optional<core::Text> value = core::utf8ToGbk(args[i]);
        if (!value)
            return std::nullopt;
        parsed.values.push_back(std::move(*value));
    }
    return parsed;
}

bool asksForHelp(std::span<const std::string_view> args)
{
    for (const std::string_view arg : args)
        if (arg == "--help" || arg == "-h")
            return true;
    return false;
}

} // namespace

int runSplitCommand(std::span<const std::string_view> args)
{
    if (asksForHelp(args)) {
        printUsage(stdout);
        return 0;
    }
    const std::optional<ParsedArguments> parsed = parse(args, 2);
    if (!parsed) {
        printUsage(stderr);
        return kUsageError;
    }
    split::SplitRequest request;
    request.mode = parsed->mode;
    request.numberText = parsed->values[0];
    request.sourcePath = withFolder(parsed->values[1]);
    request.outputFolder = parsed->values[2];

    TerminalSplitWindow window;
    split::SplitJobState state;
    const split::SplitOutcome outcome = split::runSplitJob(request, window, state);
    if (outcome == split::SplitOutcome::Completed)
        return 0;
    if (!window.message().empty())
        printLine(stderr, window.message());
    return 1;
}

int runPreviewCommand(std::span<const std::string_view> args)
{
    if (asksForHelp(args)) {
        printUsage(stdout);
        return 0;
    }
    const std::optional<ParsedArguments> parsed = parse(args, 1);
    if (!parsed) {
        printUsage(stderr);
        return kUsageError;
    }
    for (const core::Text& line : split::previewLines(withFolder(parsed->values[1]), parsed->mode, parsed->values[0]))
        printLine(stdout, line);
    return 0;
}

} // namespace qytxt::cli
