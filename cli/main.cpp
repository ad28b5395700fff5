#include "cli/commands.h"
#include "cli/usage.h"

#include <cstdio>
#include <string_view>
#include <vector>

int main(int argc, char** argv)
{
    using namespace qytxt::cli;
    const std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.empty()) {
        printUsage(stderr);
        return kUsageError;
    }
    const std::string_view command = args.front();
    const std::span<const std::string_view> rest(args.data() + 1, args.size() - 1);
    if (command == "--help" || command == "-h" || command == "help") {
        printUsage(stdout);
        return 0;
    }
    if (command == "split")
        return runSplitCommand(rest);
    if (command == "preview")
        return runPreviewCommand(rest);
    if (command == "merge")
        return runMergeCommand(rest);
    std::fprintf(stderr, "qytxt-cli: unknown command '%.*s'\n", static_cast<int>(command.size()), command.data());
    printUsage(stderr);
    return kUsageError;
}
