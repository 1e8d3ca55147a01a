#include "foundation/Colors.h"

namespace quillora {

namespace {
const TSystemColorResolver* substitute = nullptr;
}

const TSystemColorResolver& SystemColorResolver()
{
    return substitute ? *substitute : PlatformSystemColorResolver();
}

void SetSystemColorResolver(const TSystemColorResolver* resolver) { substitute = resolver; }

TColor ColorToRGB(TColor color)
{
    if (IsSystemColor(color)) return SystemColorResolver().SystemColor(static_cast<int>(color & 0xFF));
    return color & 0x00FFFFFF;
}

String ColorName(TColor color) { return {}; }
bool ColorFromName(StringView name, TColor& color) { return false; }
String ColorToString(TColor color, bool hash, bool noNames) { return {}; }
bool StringToColor(StringView text, TColor& color) { return false; }

#ifndef _WIN32
namespace {
class TFixedSystemColors : public TSystemColorResolver {
public:
    TColor SystemColor(int index) const override { return 0; }
};
} // namespace

const TSystemColorResolver& PlatformSystemColorResolver()
{
    static const TFixedSystemColors instance;
    return instance;
}
#endif

} // namespace quillora
