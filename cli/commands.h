#pragma once

#include <span>
#include <string_view>

// The subcommands of qytxt-cli. Each takes the arguments after its name, in the terminal's
// encoding, and returns the process exit code: 0 done, 1 the job reported a failure, 2 usage error.
// A failed write of what they print to stdout is caught once, when the program ends.
namespace qytxt::cli {

int runSplitCommand(std::span<const std::string_view> args);
int runPreviewCommand(std::span<const std::string_view> args);
int runChaptersCommand(std::span<const std::string_view> args);
int runMergeCommand(std::span<const std::string_view> args);

} // namespace qytxt::cli
