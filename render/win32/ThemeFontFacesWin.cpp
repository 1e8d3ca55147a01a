// The installed font faces of Windows, asked of GDI.
#include "render/win32/ThemeFontFacesWin.h"

#include "foundation/win32/WinInclude.h"

namespace quillora {

namespace {

int CALLBACK FoundFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0; // one match is enough
}

} // namespace

bool TGdiFontFaces::IsInstalled(StringView face) const
{
    LOGFONTW font{};
    if (face.empty() || face.size() >= LF_FACESIZE)
        return false;
    for (size_t i = 0; i < face.size(); ++i)
        font.lfFaceName[i] = static_cast<wchar_t>(face[i]);
    font.lfCharSet = DEFAULT_CHARSET;
    HDC dc = GetDC(nullptr);
    if (!dc)
        return false;
    bool found = false;
    EnumFontFamiliesExW(dc, &font, FoundFace, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    return found;
}

} // namespace quillora
