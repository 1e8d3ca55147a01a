#pragma once
// The device-context manager of Windows: a memory context compatible with the screen,
// with a 1 x 1 bitmap selected, on which fonts are measured.

#include <memory>

#include "render/DeviceContextManager.h"

namespace quillora {

// Creates the measuring context; raises an Exception when the system refuses it.
std::unique_ptr<TDeviceContextManager> NewGdiDeviceContextManager();

} // namespace quillora
