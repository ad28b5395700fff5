#include "cli/commands.h"
#include "cli/terminal.h"
#include "cli/usage.h"

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace {

int runCommand(std::span<const std::string_view> args)
{
    using namespace qytxt::cli;
    if (args.empty())
        return usageError({}, "no command given");
    const std::string_view command = args.front();
    const std::span<const std::string_view> rest = args.subspan(1);
    if (command == "--help" || command == "-h" || command == "help") {
        printUsage(stdout);
        return 0;
    }
    if (command == "split")
        return runSplitCommand(rest);
    if (command == "preview")
        return runPreviewCommand(rest);
    if (command == "chapters")
        return runChaptersCommand(rest);
    if (command == "merge")
        return runMergeCommand(rest);
    return usageError({}, "unknown command '" + shownArgument(command) + "'");
}

} // namespace

int main(int argc, char** argv)
{
    qytxt::cli::reserveStandardStreams();
    const std::vector<std::string_view> args(argc > 1 ? argv + 1 : argv, argc > 1 ? argv + argc : argv);
    return qytxt::cli::finishStandardOutput(runCommand(args));
}
