#pragma once
// The Windows clipboard's Unicode text (CF_UNICODETEXT).

#include "text/TextClipboard.h"

namespace quillora {

class TWinTextClipboard : public TTextClipboard {
public:
    bool HasText() override;
    String GetText() override;
    void SetText(const String& text) override;
};

} // namespace quillora
