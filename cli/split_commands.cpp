#include "cli/commands.h"
#include "cli/option_reader.h"
#include "cli/terminal.h"
#include "cli/usage.h"

#include "core/path.h"
#include "core/text_encoding.h"
#include "core/text_ops.h"
#include "split/preview.h"
#include "split/split_job.h"
#include "split/split_window.h"

#include <cstdio>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace qytxt::cli {
namespace {

// The window's part in a split, played on the terminal: the progress is drawn on stderr when
// someone is watching.
class TerminalSplitWindow final : public split::SplitWindow, public TerminalMessages {
public:
    void setSplitButtonCaption(const core::Text& caption) override { m_progress.show(caption); }
    void setSplitButtonEnabled(bool) override {}
};

// The window always hands the job a full path; a bare file name typed in a terminal means the file
// in the current folder, and without a folder separator the text would have no title.
core::Text withFolder(core::Text path)
{
    if (!path.empty() && core::findFirst(path, core::kPathSeparator) < 0)
        path.insert(0, core::Text(".") + core::Text(core::kPathSeparator));
    return path;
}

constexpr OptionSpec kSplitOptions[] = {{"--parts", true}, {"--size", true}, {"--encoding", true}};

struct SplitArguments {
    split::SplitMode mode = split::SplitMode::ByParts;
    core::Text numberText;
    std::vector<core::Text> paths;
    core::EncodingChoice encoding; // detected from the source when empty
};

// "--encoding auto" or no --encoding at all detects the source's encoding. False for a name that
// stands for no encoding.
bool readEncoding(const core::Text* name, core::EncodingChoice& encoding)
{
    if (name == nullptr || *name == "auto")
        return true;
    encoding = core::encodingNamed(*name);
    return encoding.has_value();
}

// "--parts N" or "--size N", then `pathCount` paths (named in `pathsNeeded` for the error message).
// On a stop, the exit status.
std::variant<SplitArguments, int> readSplitArguments(std::string_view command, std::span<const std::string_view> args,
                                                     std::size_t pathCount, std::string_view pathsNeeded)
{
    const std::variant<Arguments, ArgumentStop> read = readArguments(args, kSplitOptions);
    if (const auto* stop = std::get_if<ArgumentStop>(&read))
        return stopCommand(command, *stop);
    const Arguments& arguments = std::get<Arguments>(read);
    const core::Text* parts = arguments.value("--parts");
    const core::Text* size = arguments.value("--size");
    if ((parts == nullptr) == (size == nullptr))
        return usageError(command, "give either --parts N or --size N");
    if (arguments.operands.size() != pathCount)
        return usageError(command, "expects " + std::string(pathsNeeded));
    core::EncodingChoice encoding;
    if (!readEncoding(arguments.value("--encoding"), encoding))
        return usageError(command, "--encoding takes auto, gbk, gb18030, utf-8, utf-16le or utf-16be");
    return SplitArguments{parts ? split::SplitMode::ByParts : split::SplitMode::BySize, parts ? *parts : *size,
                          arguments.operands, encoding};
}

} // namespace

int runSplitCommand(std::span<const std::string_view> args)
{
    std::variant<SplitArguments, int> read = readSplitArguments("split", args, 2, "SOURCE OUTPUT_FOLDER");
    if (const int* status = std::get_if<int>(&read))
        return *status;
    SplitArguments& arguments = std::get<SplitArguments>(read);
    split::SplitRequest request;
    request.mode = arguments.mode;
    request.numberText = std::move(arguments.numberText);
    request.sourcePath = withFolder(std::move(arguments.paths[0]));
    request.outputFolder = std::move(arguments.paths[1]);

    TerminalSplitWindow window;
    split::SplitJobState state;
    const split::SplitOutcome outcome = split::runSplitJob(request, window, state, arguments.encoding);
    if (outcome == split::SplitOutcome::Completed)
        return 0;
    if (!window.message().empty())
        printLine(stderr, window.message());
    return 1;
}

int runPreviewCommand(std::span<const std::string_view> args)
{
    const std::variant<SplitArguments, int> read = readSplitArguments("preview", args, 1, "SOURCE");
    if (const int* status = std::get_if<int>(&read))
        return *status;
    const SplitArguments& arguments = std::get<SplitArguments>(read);
    const split::Preview preview =
        split::makePreview(withFolder(arguments.paths[0]), arguments.mode, arguments.numberText, arguments.encoding);
    for (const core::Text& line : preview.lines)
        printLine(stdout, line);
    printLine(stdout, preview.encodingLine); // always here, where scripts read the lines by number
    return 0;
}

} // namespace qytxt::cli
