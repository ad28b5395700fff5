#pragma once

#include <cstdio>

namespace qytxt::cli {

inline constexpr int kUsageError = 2;

void printUsage(std::FILE* stream);

} // namespace qytxt::cli
