#pragma once
// Wave sounds kept as raw-data (RCDATA) resources of a module.

#include <string_view>

#include "foundation/Strings.h"
#include "foundation/win32/WinInclude.h"

namespace quillora {

// The bytes of the RCDATA resource `name` of `module` when it is a wave the player can
// take (elements/WaveFormat.h); false when there is none or it is not such a wave. The
// bytes stay valid while the module is loaded.
bool FindWaveResource(HMODULE module, const String& name, std::string_view& wave);

} // namespace quillora
