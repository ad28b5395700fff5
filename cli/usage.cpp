#include "cli/usage.h"

#include "cli/cli_texts.h"
#include "cli/terminal.h"

namespace qytxt::cli {

void printUsage(std::FILE* stream)
{
    std::fputs("Usage:\n"
               "  qytxt-cli split --parts N [--encoding E] SOURCE OUTPUT_FOLDER\n"
               "  qytxt-cli split --size N [--encoding E] SOURCE OUTPUT_FOLDER\n"
               "  qytxt-cli preview --parts N [--encoding E] SOURCE\n"
               "  qytxt-cli preview --size N [--encoding E] SOURCE\n"
               "  qytxt-cli merge --output OUT IN1 [IN2 ...]\n"
               "  qytxt-cli merge --natural --output OUT IN1 [IN2 ...]\n"
               "  qytxt-cli --help\n"
               "\n"
               "split    writes the parts of SOURCE into OUTPUT_FOLDER/<title>/<title>(i).txt:\n"
               "         --parts N  N parts of nearly equal length\n"
               "         --size N   parts of N characters each\n"
               "         N is taken as typed in the window (full-width digits work).\n"
               "         --encoding E  reads SOURCE as E: auto (the default: a byte order mark,\n"
               "                    else valid UTF-8, else GBK), gbk, gb18030, utf-8, utf-16le or\n"
               "                    utf-16be. Bytes invalid in E count one character each and\n"
               "                    still go into the parts.\n"
               "preview  prints what the window's info panel shows for that split, and then the\n"
               "         encoding SOURCE is read in.\n"
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
