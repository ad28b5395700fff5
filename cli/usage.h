#pragma once

#include "cli/option_reader.h"

#include <cstdio>
#include <string_view>

namespace qytxt::cli {

inline constexpr int kUsageError = 2;

void printUsage(std::FILE* stream);

// Says on stderr what is wrong with the arguments of `command` (empty for the program itself),
// followed by the usage. Returns the usage error status.
int usageError(std::string_view command, std::string_view problem);

// What a command does when its arguments stop it: the usage on stdout for --help (status 0), or the
// reason on stderr (status 2).
int stopCommand(std::string_view command, const ArgumentStop& stop);

} // namespace qytxt::cli
