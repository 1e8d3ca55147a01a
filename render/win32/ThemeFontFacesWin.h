#pragma once
// The installed font faces of Windows, asked of GDI.

#include "render/ThemeFontFaces.h"

namespace quillora {

class TGdiFontFaces final : public TFontFaces {
public:
    bool IsInstalled(StringView face) const override;
};

} // namespace quillora
