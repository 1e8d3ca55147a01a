// The installed font faces of Windows, asked of GDI.

#include "foundation/win32/WinInclude.h"
#include "render/ThemeFontFaces.h"

namespace quillora {

namespace {

int CALLBACK FoundFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found)
{
    *reinterpret_cast<bool*>(found) = true;
    return 0; // one match is enough
}

class TGdiFontFaces final : public TFontFaces {
public:
    bool IsInstalled(StringView face) const override
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
};

} // namespace

const TFontFaces& PlatformFontFaces()
{
    static const TGdiFontFaces faces;
    return faces;
}

} // namespace quillora
