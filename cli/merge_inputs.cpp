#include "cli/merge_inputs.h"

#include "cli/terminal.h"
#include "core/file_ops.h"
#include "core/folder_listing.h"
#include "core/natural_order.h"

#include <algorithm>
#include <optional>

namespace qytxt::cli {

std::variant<std::vector<core::Text>, std::string> mergeInputs(const std::vector<core::Text>& operands,
                                                               const core::Text& output, bool natural)
{
    const std::optional<core::FileIdentity> outputFile = core::fileIdentity(output);
    std::vector<core::Text> inputs;
    for (const core::Text& operand : operands) {
        if (!core::isFolder(operand)) {
            inputs.push_back(operand);
            continue;
        }
        // Built in steps: GCC 12 warns falsely (-Wrestrict) on "'" + string + "'" when optimising.
        std::string folder(1, '\'');
        folder.append(toTerminal(operand)).push_back('\'');
        const std::optional<core::FolderTextFiles> found = core::textFilesInFolder(operand);
        if (!found)
            return "cannot read the folder " + folder;
        if (!found->unconvertibleNames.empty()) {
            std::string names;
            for (const std::string& name : found->unconvertibleNames)
                names += " '" + shownArgument(name) + "'";
            return "the folder " + folder + " holds names that are not valid UTF-8:" + names;
        }
        std::size_t added = 0;
        for (const core::Text& path : found->paths) {
            if (outputFile && core::fileIdentity(path) == outputFile)
                continue;
            inputs.push_back(path);
            ++added;
        }
        if (added == 0)
            return "no .txt files in the folder " + folder;
    }
    if (natural)
        core::sortNaturally(inputs);
    return inputs;
}

} // namespace qytxt::cli
