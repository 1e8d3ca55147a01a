// The native build has no font list of its own: every face counts as installed, so the
// first face of each theme font's list is taken.
#ifndef _WIN32

#include "render/ThemeFontFaces.h"

namespace quillora {

namespace {
class TAnyFontFaces final : public TFontFaces {
public:
    bool IsInstalled(StringView) const override { return true; }
};
} // namespace

const TFontFaces& PlatformFontFaces()
{
    static const TAnyFontFaces faces;
    return faces;
}

} // namespace quillora

#endif
