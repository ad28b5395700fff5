#include "cli/cli_texts.h"
#include "cli/commands.h"
#include "cli/option_reader.h"
#include "cli/terminal.h"
#include "cli/usage.h"

#include "core/encoding.h"
#include "core/numbers.h"
#include "core/path.h"
#include "core/text_encoding.h"
#include "core/text_ops.h"
#include "split/byte_source.h"
#include "split/cut_finder.h"
#include "split/heading_scan.h"
#include "split/preview.h"
#include "split/split_job.h"
#include "split/split_texts.h"
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

constexpr OptionSpec kSplitOptions[] = {{"--parts", true},     {"--size", true},    {"--chapters", true},
                                        {"--at-lines", false}, {"--heading", true}, {"--encoding", true}};
constexpr OptionSpec kChaptersOptions[] = {{"--heading", true}, {"--encoding", true}};

struct SplitArguments {
    split::SplitMode mode = split::SplitMode::ByParts;
    core::Text numberText;
    std::vector<core::Text> paths;
    core::EncodingChoice encoding; // detected from the source when empty
    bool atLines = false;
    split::HeadingMatcher headings;
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

// The rules, or the pattern of --heading; on a pattern that does not compile, the exit status.
std::variant<split::HeadingMatcher, int> readHeadings(std::string_view command, const core::Text* pattern)
{
    if (pattern == nullptr)
        return split::HeadingMatcher();
    std::string error;
    // Lines are matched as UTF-8, so the pattern goes back to the form it was typed in.
    const std::optional<std::string> utf8 = core::gbkToUtf8(*pattern);
    std::optional<split::HeadingMatcher> matcher;
    if (utf8)
        matcher = split::HeadingMatcher::pattern(*utf8, &error);
    if (!matcher)
        return usageError(command, "--heading is not a regular expression: " + error);
    return *matcher;
}

// One of "--parts N", "--size N" or "--chapters N", then `pathCount` paths (named in `pathsNeeded`
// for the error message). On a stop, the exit status.
std::variant<SplitArguments, int> readSplitArguments(std::string_view command, std::span<const std::string_view> args,
                                                     std::size_t pathCount, std::string_view pathsNeeded)
{
    const std::variant<Arguments, ArgumentStop> read = readArguments(args, kSplitOptions);
    if (const auto* stop = std::get_if<ArgumentStop>(&read))
        return stopCommand(command, *stop);
    const Arguments& arguments = std::get<Arguments>(read);
    const core::Text* parts = arguments.value("--parts");
    const core::Text* size = arguments.value("--size");
    const core::Text* chapters = arguments.value("--chapters");
    if ((parts != nullptr) + (size != nullptr) + (chapters != nullptr) != 1)
        return usageError(command, "give one of --parts N, --size N or --chapters N");
    if (chapters != nullptr && arguments.has("--at-lines"))
        return usageError(command, "--at-lines goes with --parts or --size; chapters start lines already");
    if (chapters == nullptr && arguments.has("--heading"))
        return usageError(command, "--heading goes with --chapters");
    if (arguments.operands.size() != pathCount)
        return usageError(command, "expects " + std::string(pathsNeeded));
    core::EncodingChoice encoding;
    if (!readEncoding(arguments.value("--encoding"), encoding))
        return usageError(command, "--encoding takes auto, gbk, gb18030, utf-8, utf-16le or utf-16be");
    std::variant<split::HeadingMatcher, int> headings = readHeadings(command, arguments.value("--heading"));
    if (const int* status = std::get_if<int>(&headings))
        return *status;
    const split::SplitMode mode = parts  ? split::SplitMode::ByParts
                                  : size ? split::SplitMode::BySize
                                         : split::SplitMode::ByChapters;
    return SplitArguments{mode,
                          parts  ? *parts
                          : size ? *size
                                 : *chapters,
                          arguments.operands,
                          encoding,
                          arguments.has("--at-lines"),
                          std::move(std::get<split::HeadingMatcher>(headings))};
}

// A heading as the terminal shows it: control characters, which could move the cursor or recolour
// the terminal, become spaces.
std::string shownHeading(std::string text)
{
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F')
            c = ' ';
    return text;
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
    request.atLines = arguments.atLines;
    request.headings = std::move(arguments.headings);

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
    const split::Preview preview = split::makePreview(withFolder(arguments.paths[0]), arguments.mode,
                                                      arguments.numberText, arguments.encoding, arguments.headings);
    for (const core::Text& line : preview.lines)
        printLine(stdout, line);
    printLine(stdout, preview.encodingLine); // always here, where scripts read the lines by number
    return 0;
}

int runChaptersCommand(std::span<const std::string_view> args)
{
    const std::variant<Arguments, ArgumentStop> read = readArguments(args, kChaptersOptions);
    if (const auto* stop = std::get_if<ArgumentStop>(&read))
        return stopCommand("chapters", *stop);
    const Arguments& arguments = std::get<Arguments>(read);
    if (arguments.operands.size() != 1)
        return usageError("chapters", "expects SOURCE");
    core::EncodingChoice encoding;
    if (!readEncoding(arguments.value("--encoding"), encoding))
        return usageError("chapters", "--encoding takes auto, gbk, gb18030, utf-8, utf-16le or utf-16be");
    std::variant<split::HeadingMatcher, int> headings = readHeadings("chapters", arguments.value("--heading"));
    if (const int* status = std::get_if<int>(&headings))
        return *status;

    split::HeadingScanner scanner(std::move(std::get<split::HeadingMatcher>(headings)), encoding);
    std::optional<split::FileSource> source = split::FileSource::open(arguments.operands[0]);
    std::optional<split::CutFinder> cuts;
    if (source)
        cuts = split::CutFinder::scan(*source, encoding, &scanner);
    if (!cuts) {
        printLine(stderr, core::Text(split::texts::kMessageUnreadable));
        return 1;
    }
    // Number, position of its first character in the preview's count, text: one heading a line.
    std::int64_t number = 0;
    for (const split::Heading& heading : scanner.headings()) {
        const std::optional<std::int64_t> width = cuts->fullWidthBefore(heading.offset);
        if (!width) {
            printLine(stderr, core::Text(split::texts::kMessageUnreadable));
            return 1;
        }
        std::printf("%lld\t%lld\t%s\n", static_cast<long long>(++number), static_cast<long long>(*width / 2 + 1),
                    shownHeading(heading.text).c_str());
    }
    printLine(stdout, core::Text(texts::kChapterTotal) + core::integerToText(number));
    return 0;
}

} // namespace qytxt::cli
