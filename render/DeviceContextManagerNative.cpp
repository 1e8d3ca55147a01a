// The fixed-metric font engine is the platform's outside Windows.
#ifndef _WIN32

#include "render/FontFixed.h"

namespace quillora {

TDeviceContextManager& PlatformDeviceContextManager()
{
    static TFixedFontManager manager;
    return manager;
}

} // namespace quillora

#endif
