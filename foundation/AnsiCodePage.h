#pragma once
// The system's ANSI code page, provided as Service<TAnsiCodePage>()
// (foundation/Service.h): the code page of the running system on Windows (CP_ACP),
// Windows-1252 (TCp1252CodePage) elsewhere.

#include <cstdint>
#include <string>
#include <string_view>

#include "foundation/Strings.h"

namespace quillora {

class TAnsiCodePage {
public:
    virtual ~TAnsiCodePage() = default;
    virtual String Decode(std::string_view bytes) const = 0;
    virtual std::string Encode(StringView text) const = 0;
    // Whether `byte` starts a double-byte character (only double-byte code pages have
    // such lead bytes).
    virtual bool IsLeadByte(uint8_t byte) const = 0;
};

// Windows-1252, the code page that stands for the ANSI code page where the platform has
// none: one byte per character, no lead bytes.
class TCp1252CodePage : public TAnsiCodePage {
public:
    String Decode(std::string_view bytes) const override;
    std::string Encode(StringView text) const override;
    bool IsLeadByte(uint8_t) const override { return false; }
};

} // namespace quillora
