#pragma once
// The settings defaults of the running system: the message font and the border width.

#include "foundation/SettingsPlatform.h"

namespace quillora {

class TWinSettingsPlatform : public TSettingsPlatform {
public:
    TFontData MessageFont() const override;
    int BorderWidth() const override;
};

} // namespace quillora
