#include "cli/option_reader.h"

#include "cli/terminal.h"

#include <algorithm>
#include <optional>

namespace qytxt::cli {
namespace {

constexpr std::string_view kEndOfOptions = "--";

bool looksLikeOption(std::string_view arg)
{
    return arg.size() > 1 && arg.front() == '-'; // a lone "-" is an operand, as elsewhere
}

ArgumentStop badUsage(std::string detail)
{
    return {ArgumentStop::Reason::BadUsage, std::move(detail)};
}

} // namespace

bool Arguments::has(std::string_view name) const
{
    return value(name) != nullptr;
}

const core::Text* Arguments::value(std::string_view name) const
{
    const auto given = std::find_if(options.begin(), options.end(), [name](const auto& o) { return o.first == name; });
    return given == options.end() ? nullptr : &given->second;
}

std::variant<Arguments, ArgumentStop> readArguments(std::span<const std::string_view> args,
                                                    std::span<const OptionSpec> options)
{
    Arguments read;
    std::size_t next = 0;
    while (next < args.size() && looksLikeOption(args[next])) {
        const std::string_view arg = args[next++];
        if (arg == kEndOfOptions)
            break;
        if (arg == "--help" || arg == "-h")
            return ArgumentStop{ArgumentStop::Reason::HelpAsked, {}};
        const std::size_t equals = arg.find('=');
        const std::string_view name = arg.substr(0, equals);
        const auto spec =
            std::find_if(options.begin(), options.end(), [name](const OptionSpec& o) { return o.name == name; });
        if (spec == options.end())
            return badUsage("unknown option '" + shownArgument(name) + "'");
        if (read.has(name))
            return badUsage("option '" + std::string(name) + "' given twice");
        std::string_view value;
        if (equals != std::string_view::npos) {
            if (!spec->takesValue)
                return badUsage("option '" + std::string(name) + "' takes no value");
            value = arg.substr(equals + 1);
        } else if (spec->takesValue) {
            if (next == args.size())
                return badUsage("option '" + std::string(name) + "' needs a value");
            value = args[next++];
        }
        std::optional<core::Text> converted = fromTerminal(value);
        if (!converted)
            return ArgumentStop{ArgumentStop::Reason::BadEncoding, std::string(value)};
        read.options.emplace_back(spec->name, std::move(*converted));
    }
    for (; next < args.size(); ++next) {
        std::optional<core::Text> operand = fromTerminal(args[next]);
        if (!operand)
            return ArgumentStop{ArgumentStop::Reason::BadEncoding, std::string(args[next])};
        read.operands.push_back(std::move(*operand));
    }
    return read;
}

} // namespace qytxt::cli
