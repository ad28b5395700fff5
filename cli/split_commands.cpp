#include "cli/commands.h"
#include "cli/usage.h"

namespace qytxt::cli {

int runSplitCommand(std::span<const std::string_view>)
{
    printUsage(stderr);
    return kUsageError;
}

int runPreviewCommand(std::span<const std::string_view>)
{
    printUsage(stderr);
    return kUsageError;
}

} // namespace qytxt::cli
