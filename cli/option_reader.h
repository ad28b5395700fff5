#pragma once

#include "core/text.h"

#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

// The arguments of one subcommand, read the way the standard tools read theirs: options first,
// then the operands (the paths). Options end at "--" or at the first operand, so a path that looks
// like an option ("-h", "--x.txt") is taken as a path there. "--help" and "-h" ask for the usage in
// every command.
namespace qytxt::cli {

// An option a command knows: "--name" alone, or "--name VALUE" (also written "--name=VALUE").
struct OptionSpec {
    std::string_view name;
    bool takesValue = false;
};

// The options given and the operands, in GBK.
struct Arguments {
    std::vector<std::pair<std::string_view, core::Text>> options; // a flag's value is empty
    std::vector<core::Text> operands;

    bool has(std::string_view name) const;
    // The option's value, or nullptr when it was not given.
    const core::Text* value(std::string_view name) const;
};

// Why a command must not run.
struct ArgumentStop {
    enum class Reason {
        HelpAsked,   // the usage goes to stdout
        BadUsage,    // `detail` says what is wrong, in English
        BadEncoding, // `detail` is the argument, as typed, that the terminal's encoding cannot read
    };
    Reason reason;
    std::string detail;
};

// Reads `args` (what follows the command's name) against the command's options. An option given
// twice is a usage error: nothing says which one should count.
std::variant<Arguments, ArgumentStop> readArguments(std::span<const std::string_view> args,
                                                    std::span<const OptionSpec> options);

} // namespace qytxt::cli
