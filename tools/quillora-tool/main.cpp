// quillora-tool: commands that users run on their Quillora files.
#include <cstdio>
#include <string>
#include <vector>

#include "shell/PlatformServices.h"
#include "tools/quillora-tool/Commands.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
int wmain(int argc, wchar_t** argv)
{
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    quillora::TPlatformServices platformServices;
    std::vector<quillora::String> args;
    for (int i = 1; i < argc; ++i) args.emplace_back(reinterpret_cast<const char16_t*>(argv[i]));
    return quillora::tool::Run(args);
}
#else
int main(int argc, char** argv)
{
    quillora::TPlatformServices platformServices;
    std::vector<quillora::String> args;
    for (int i = 1; i < argc; ++i) args.push_back(quillora::Utf8ToString(argv[i]));
    return quillora::tool::Run(args);
}
#endif
