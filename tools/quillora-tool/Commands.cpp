#include "tools/quillora-tool/Commands.h"

#include <cstdio>
#include <string>

namespace quillora::tool {

namespace {
void PrintUsage()
{
    std::fputs("usage: quillora-tool knot FILE [--options N]\n", stderr);
}
} // namespace

int Run(const std::vector<String>& args)
{
    if (args.empty()) {
        PrintUsage();
        return 2;
    }
    PrintUsage();
    return 2;
}

} // namespace quillora::tool
