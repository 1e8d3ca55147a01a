// The Windows clipboard's Unicode text.
#include "text/win32/TextClipboardWin.h"

#include "foundation/win32/WinInclude.h"

#include <cstring>

#include "foundation/Exceptions.h"
#include "foundation/win32/OpenClipboard.h"

namespace quillora {

bool TWinTextClipboard::HasText()
{
    return IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE;
}

String TWinTextClipboard::GetText()
{
    TOpenClipboard clipboard;
    if (!clipboard.IsOpen()) return String();
    HANDLE handle = GetClipboardData(CF_UNICODETEXT);
    if (!handle) return String();
    const auto* data = static_cast<const char16_t*>(GlobalLock(handle));
    if (!data) return String();
    // The text ends at its terminating zero, never beyond the memory block.
    const size_t capacity = GlobalSize(handle) / sizeof(char16_t);
    size_t length = 0;
    while (length < capacity && data[length] != 0) ++length;
    String text(data, length);
    GlobalUnlock(handle);
    return text;
}

void TWinTextClipboard::SetText(const String& text)
{
    TOpenClipboard clipboard;
    if (!clipboard.IsOpen()) throw Exception(u"Cannot open the clipboard");
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(char16_t));
    if (!memory) throw Exception(u"Not enough memory for the clipboard");
    auto* data = static_cast<char16_t*>(GlobalLock(memory));
    std::memcpy(data, text.data(), text.size() * sizeof(char16_t));
    data[text.size()] = 0;
    GlobalUnlock(memory);
    if (!SetClipboardData(CF_UNICODETEXT, memory)) {
        GlobalFree(memory);
        throw Exception(u"Cannot set the clipboard data");
    }
}

} // namespace quillora
