#pragma once
#include <vector>

#include "foundation/Strings.h"

namespace quillora::tool {

// check FILE, list FILE, resave IN OUT, keys FILE INDEX [--backspaces N] [--now T].
int CheckCommand(const std::vector<String>& args);
int ListCommand(const std::vector<String>& args);
int ResaveCommand(const std::vector<String>& args);
int KeysCommand(const std::vector<String>& args);

} // namespace quillora::tool
