#include "cli/usage.h"

namespace qytxt::cli {

void printUsage(std::FILE* stream)
{
    std::fputs("Usage:\n"
               "  qytxt-cli split --parts N SOURCE OUTPUT_FOLDER\n"
               "  qytxt-cli split --size N SOURCE OUTPUT_FOLDER\n"
               "  qytxt-cli preview --parts N SOURCE\n"
               "  qytxt-cli preview --size N SOURCE\n"
               "  qytxt-cli merge --output OUT IN1 [IN2 ...]\n"
               "  qytxt-cli --help\n"
               "\n"
               "split    writes the parts of SOURCE into OUTPUT_FOLDER/<title>/<title>(i).txt:\n"
               "         --parts N  N parts of nearly equal length\n"
               "         --size N   parts of N characters each\n"
               "         N is taken as typed in the window (full-width digits work).\n"
               "preview  prints what the window's info panel shows for that split.\n"
               "merge    writes the inputs, in order, one after the other into OUT.\n"
               "\n"
               "Exit status: 0 done, 1 the job reported a failure, 2 usage error.\n",
               stream);
}

} // namespace qytxt::cli
