#pragma once
// Key names of the keyboard layout (GetKeyNameTextW) for keys without a fixed name.

#include "foundation/ShortCut.h"

namespace quillora {

class TWinKeyNames : public TKeyNames {
public:
    String KeyName(int keyCode) const override;
};

} // namespace quillora
