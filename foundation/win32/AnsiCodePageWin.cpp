// The ANSI code page of the running system (CP_ACP).
#include "foundation/win32/AnsiCodePageWin.h"

#include "foundation/win32/WinInclude.h"

namespace quillora {

String TWinAnsiCodePage::Decode(std::string_view bytes) const
{
    if (bytes.empty()) return {};
    int n = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    String out(static_cast<size_t>(n), u'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), reinterpret_cast<wchar_t*>(out.data()), n);
    return out;
}

std::string TWinAnsiCodePage::Encode(StringView text) const
{
    if (text.empty()) return {};
    auto* src = reinterpret_cast<const wchar_t*>(text.data());
    int n = WideCharToMultiByte(CP_ACP, 0, src, static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, src, static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

bool TWinAnsiCodePage::IsLeadByte(uint8_t byte) const
{
    return IsDBCSLeadByte(byte) != FALSE;
}

} // namespace quillora
