#include "cli/usage.h"

#include "cli/cli_texts.h"
#include "cli/terminal.h"

namespace qytxt::cli {

void printUsage(std::FILE* stream)
{
    std::fputs("Usage:\n"
               "  qytxt-cli split --parts N [--at-lines] [--encoding E] SOURCE OUTPUT_FOLDER\n"
               "  qytxt-cli split --size N [--at-lines] [--encoding E] SOURCE OUTPUT_FOLDER\n"
               "  qytxt-cli split --chapters N [--heading REGEX] [--encoding E] SOURCE OUTPUT_FOLDER\n"
               "  qytxt-cli preview --parts N|--size N|--chapters N [--heading REGEX] [--encoding E] SOURCE\n"
               "  qytxt-cli chapters [--heading REGEX] [--encoding E] SOURCE\n"
               "  qytxt-cli merge --output OUT IN1 [IN2 ...]\n"
               "  qytxt-cli merge --natural --output OUT IN1 [IN2 ...]\n"
               "  qytxt-cli --help\n"
               "\n"
               "split    writes the parts of SOURCE into OUTPUT_FOLDER/<title>/<title>(i).txt:\n"
               "         --parts N  N parts of nearly equal length\n"
               "         --size N   parts of N characters each\n"
               "         --chapters N  parts of N chapters each, every part but the first\n"
               "                    starting at a heading's line; text before the first\n"
               "                    heading stays with the first part. No heading: nothing is\n"
               "                    written.\n"
               "         --at-lines  moves each cut of --parts or --size on to the start of the\n"
               "                    next line, so that no part starts inside a line\n"
               "         N is taken as typed in the window (full-width digits work).\n"
               "         --encoding E  reads SOURCE as E: auto (the default: a byte order mark,\n"
               "                    else valid UTF-8, else GBK), gbk, gb18030, utf-8, utf-16le or\n"
               "                    utf-16be. Bytes invalid in E count one character each and\n"
               "                    still go into the parts.\n"
               "preview  prints what the window's info panel shows for that split, and then the\n"
               "         encoding SOURCE is read in.\n"
               "chapters prints each heading of SOURCE: its number, the position of its line's\n"
               "         first character (as preview counts them) and its text; then the total.\n"
               "         A heading is a line of at most 40 characters, after blanks, starting with\n"
               "         \u7B2C + a number + \u7AE0\u56DE\u8282\u5377\u96C6\u90E8\u7BC7, a word such as "
               "\u5E8F\u7AE0 \u6954\u5B50 \u756A\u5916 \u540E\u8BB0, or\n"
               "         Chapter + a number, followed by the line's end, a blank or punctuation.\n"
               "         --heading REGEX  a line is a heading where this ECMAScript expression\n"
               "                    matches it (as UTF-8; anchor it with ^), instead of the rules;\n"
               "                    lines longer than 1024 bytes are never headings.\n"
               "merge    writes the inputs, in order, one after the other into OUT. An input\n"
               "         that is a folder stands for its .txt files in natural order (part(2).txt\n"
               "         before part(10).txt), OUT itself left out.\n"
               "         --natural  sorts all the inputs in natural order\n"
               "\n"
               "Options come before the paths and may also be written --name=VALUE; \"--\" ends\n"
               "them, so that a path may start with \"-\". --help or -h after a command prints\n"
               "this text.\n"
               "\n"
               "Exit status: 0 done, 1 the job reported a failure or the output could not be\n"
               "written, 2 usage error.\n",
               stream);
}

int usageError(std::string_view command, std::string_view problem)
{
    std::fputs("qytxt-cli", stderr);
    if (!command.empty())
        std::fprintf(stderr, " %.*s", static_cast<int>(command.size()), command.data());
    std::fprintf(stderr, ": %.*s\n", static_cast<int>(problem.size()), problem.data());
    printUsage(stderr);
    return kUsageError;
}

int stopCommand(std::string_view command, const ArgumentStop& stop)
{
    switch (stop.reason) {
    case ArgumentStop::Reason::HelpAsked:
        printUsage(stdout);
        return 0;
    case ArgumentStop::Reason::BadUsage:
        return usageError(command, stop.detail);
    case ArgumentStop::Reason::BadEncoding:
        std::fprintf(stderr, "%s%s\n", toTerminal(core::Text(texts::kUnreadableArgument)).c_str(),
                     shownArgument(stop.detail).c_str());
        return kUsageError;
    }
    return kUsageError;
}

} // namespace qytxt::cli
