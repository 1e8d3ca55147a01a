#pragma once
// The raw-data resources that the key elements read: their picture strips, compiled
// into the program, before the program's other resources.

#include "render/ThemeResources.h"

namespace quillora {

const TResourceModule& MacroElementsResources();

} // namespace quillora
