#pragma once
// System colours of the running system (GetSysColor).

#include "foundation/Colors.h"

namespace quillora {

class TWinSystemColors : public TSystemColorResolver {
public:
    TColor SystemColor(int index) const override;
};

} // namespace quillora
