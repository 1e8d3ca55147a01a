#include "elements/win32/WaveResourceWin.h"

#include "elements/WaveFormat.h"
#include "foundation/win32/WinPaths.h"

namespace quillora {

bool FindWaveResource(HMODULE module, const String& name, std::string_view& wave)
{
    HRSRC info = FindResourceW(module, WidePtr(name), MAKEINTRESOURCEW(10)); // RT_RCDATA
    if (!info) return false;
    const DWORD size = SizeofResource(module, info);
    HGLOBAL block = LoadResource(module, info);
    const void* data = block ? LockResource(block) : nullptr;
    if (!data || size == 0) return false;
    const std::string_view bytes(static_cast<const char*>(data), size);
    TWaveFormat format;
    if (!ReadWaveFormat(bytes, format)) return false;
    wave = bytes;
    return true;
}

} // namespace quillora
