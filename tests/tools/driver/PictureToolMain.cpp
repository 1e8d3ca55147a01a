// Runs the picture command of quillora-tool on its own, so that its command-line test does
// not depend on the tool's dispatch: picture-tool IN OUT.png [--frame K]
#include <vector>

#include "shell/PlatformServices.h"
#include "tools/quillora-tool/PictureCommand.h"

int main(int argc, char** argv)
{
    quillora::TPlatformServices platformServices;
    std::vector<quillora::String> args;
    for (int i = 1; i < argc; ++i) args.push_back(quillora::Utf8ToString(argv[i]));
    return quillora::tool::RunPictureCommand(args);
}
