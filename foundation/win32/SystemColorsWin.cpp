// System colours of the running system (GetSysColor).
#include <windows.h>

#include "foundation/Colors.h"

namespace quillora {

namespace {
class TWinSystemColors : public TSystemColorResolver {
public:
    TColor SystemColor(int index) const override { return static_cast<TColor>(GetSysColor(index)) & 0x00FFFFFF; }
};
} // namespace

const TSystemColorResolver& PlatformSystemColorResolver()
{
    static const TWinSystemColors instance;
    return instance;
}

} // namespace quillora
