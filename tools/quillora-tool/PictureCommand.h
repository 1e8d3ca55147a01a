#pragma once
#include <vector>

#include "foundation/Strings.h"

namespace quillora::tool {

// quillora-tool picture IN OUT.png [--frame K]
// Decodes IN with the picture container (codec by content, then by extension) and writes
// frame K (default 0) as a 32-bit RGBA PNG; prints the width, height and number of frames.
// `args` are the words after "picture". Returns 0, 1 when IN cannot be decoded or OUT not
// written (the error on stderr), 2 for a wrong command line.
int RunPictureCommand(const std::vector<String>& args);

} // namespace quillora::tool
