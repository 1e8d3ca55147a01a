#pragma once
// Small helpers of the Win32 layer for UTF-16 path and error texts.
#include <windows.h>

#include "foundation/Strings.h"

namespace quillora {

inline const wchar_t* WidePtr(const String& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }
inline String FromWide(const wchar_t* s, size_t length) { return String(reinterpret_cast<const Char*>(s), length); }

// The full path of the running program.
String ModuleFileName();
// The system's text for an error code, without the trailing line break.
String SystemErrorText(DWORD error);

} // namespace quillora
