#pragma once

#include "core/text.h"

#include <string>
#include <variant>
#include <vector>

namespace qytxt::cli {

// The inputs of a merge as typed (GBK). A folder stands for its ".txt" files in natural order,
// leaving out the output itself, so that a merge into that folder can be run again. With
// `natural`, all the inputs are sorted in natural order; otherwise they stay in the order given.
// On failure, what went wrong, for the terminal (a folder that cannot be read, has no text files,
// or holds names the system cannot carry: none may silently go missing from a merge).
std::variant<std::vector<core::Text>, std::string> mergeInputs(const std::vector<core::Text>& operands,
                                                               const core::Text& output, bool natural);

} // namespace qytxt::cli
