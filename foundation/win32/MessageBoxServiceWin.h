#pragma once
// The modal message box of the Windows build (MessageBoxW over the active window).

#include "foundation/UtilsServices.h"

namespace quillora {

class TWinMessageBoxService : public TMessageBoxService {
public:
    int Show(const String& text, const String& caption, unsigned flags) override;
    bool ActiveWindowIsTopmost() const override;
    // The base name of the executable.
    String ApplicationTitle() const override;
};

} // namespace quillora
