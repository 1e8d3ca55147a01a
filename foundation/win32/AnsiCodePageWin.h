#pragma once
// The ANSI code page of the running system (CP_ACP).

#include "foundation/AnsiCodePage.h"

namespace quillora {

class TWinAnsiCodePage : public TAnsiCodePage {
public:
    String Decode(std::string_view bytes) const override;
    std::string Encode(StringView text) const override;
    bool IsLeadByte(uint8_t byte) const override;
};

} // namespace quillora
