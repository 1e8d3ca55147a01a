#include "render/win32/Bitmap32Win.h"

#include "foundation/Exceptions.h"

namespace quillora {

namespace {

BITMAPINFO TopDownInfo(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

} // namespace

TDibSectionStorage::TDibSectionStorage() : dc_(CreateCompatibleDC(nullptr))
{
    if (!dc_)
        throw Exception(AsciiToString("The device context of a bitmap could not be created"));
}

TDibSectionStorage::~TDibSectionStorage()
{
    Release();
    DeleteDC(dc_);
}

TColor32* TDibSectionStorage::Allocate(int width, int height)
{
    const BITMAPINFO info = TopDownInfo(width, height);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!section || !bits) {
        if (section)
            DeleteObject(section);
        throw Exception(AsciiToString("The device-independent bitmap of ") + IntToString(width) + AsciiToString(" x ") +
                        IntToString(height) + AsciiToString(" pixels could not be created"));
    }
    GdiFlush();
    HGDIOBJ previous = SelectObject(dc_, section);
    if (section_)
        DeleteObject(section_);
    else
        original_ = previous;
    section_ = section;
    return static_cast<TColor32*>(bits);
}

void TDibSectionStorage::Release()
{
    if (!section_)
        return;
    GdiFlush();
    SelectObject(dc_, original_);
    DeleteObject(section_);
    section_ = nullptr;
}

HDC BitmapDC(TBitmap32& bitmap)
{
    if (auto* storage = dynamic_cast<TDibSectionStorage*>(&bitmap.Storage()))
        return storage->Handle();
    auto storage = std::make_unique<TDibSectionStorage>();
    HDC dc = storage->Handle();
    bitmap.SetStorage(std::move(storage));
    return dc;
}

void CopyBitmapToDC(const TBitmap32& bitmap, HDC dc, int x, int y)
{
    if (bitmap.Empty())
        return;
    const BITMAPINFO info = TopDownInfo(bitmap.Width(), bitmap.Height());
    SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(bitmap.Width()), static_cast<DWORD>(bitmap.Height()), 0, 0, 0,
                      static_cast<UINT>(bitmap.Height()), bitmap.Bits(), &info, DIB_RGB_COLORS);
}

} // namespace quillora
