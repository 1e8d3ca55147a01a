#pragma once
#include <vector>

#include "foundation/Strings.h"

namespace quillora::tool {

// Runs one command line (without the program name); returns the exit code.
int Run(const std::vector<String>& args);

} // namespace quillora::tool
