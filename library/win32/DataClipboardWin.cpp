// The clipboard formats of data elements on Windows.
#include "library/win32/DataClipboardWin.h"

#include "foundation/win32/WinInclude.h"

#include <cstring>

#include "elements/Filer.h"
#include "foundation/Exceptions.h"
#include "foundation/win32/OpenClipboard.h"

namespace quillora {

namespace {

// The whole memory block of a clipboard format; false when the format is missing.
bool ReadBlock(UINT format, std::vector<uint8_t>& bytes)
{
    HANDLE handle = GetClipboardData(format);
    if (!handle) return false;
    const void* data = GlobalLock(handle);
    if (!data) return false;
    const size_t size = GlobalSize(handle);
    bytes.assign(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size);
    GlobalUnlock(handle);
    return true;
}

void PutBlock(UINT format, const void* bytes, size_t size)
{
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
    if (!memory) throw Exception(u"Not enough memory for the clipboard");
    void* data = GlobalLock(memory);
    if (size) std::memcpy(data, bytes, size);
    GlobalUnlock(memory);
    if (!SetClipboardData(format, memory)) {
        GlobalFree(memory);
        throw Exception(u"Cannot set the clipboard data");
    }
}

void PutLong(std::vector<uint8_t>& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i) out.push_back(uint8_t(value >> (8 * i)));
}

} // namespace

TWinDataClipboard::TWinDataClipboard()
    : dataFormat_(RegisterClipboardFormatW(reinterpret_cast<LPCWSTR>(BinaryDataFormatName))),
      typeFormat_(RegisterClipboardFormatW(reinterpret_cast<LPCWSTR>(BinaryDataTypeFormatName)))
{
}

bool TWinDataClipboard::GetPrivateBlocks(std::vector<uint8_t>& typeBlock, std::vector<uint8_t>& dataBlock,
                                         bool& hasData)
{
    TOpenClipboard clipboard;
    if (!clipboard.IsOpen()) return false;
    if (!ReadBlock(typeFormat_, typeBlock)) return false;
    hasData = ReadBlock(dataFormat_, dataBlock);
    return true;
}

bool TWinDataClipboard::CanPaste()
{
    return (IsClipboardFormatAvailable(dataFormat_) && IsClipboardFormatAvailable(typeFormat_)) ||
           IsClipboardFormatAvailable(CF_BITMAP) || IsClipboardFormatAvailable(CF_ENHMETAFILE) ||
           IsClipboardFormatAvailable(CF_METAFILEPICT);
}

bool TWinDataClipboard::GetPicture(uint16_t allowed, TMemoryStream& data, int& dataType)
{
    TOpenClipboard clipboard;
    if (!clipboard.IsOpen()) return false;
    if ((allowed & DataTypeBit(dtBmp)) && IsClipboardFormatAvailable(CF_BITMAP)) {
        // The system makes the device-independent form of the bitmap; a file header
        // in front of it makes a BMP file.
        std::vector<uint8_t> dib;
        if (!ReadBlock(CF_DIB, dib) || dib.size() < sizeof(BITMAPINFOHEADER)) return false;
        BITMAPINFOHEADER header;
        std::memcpy(&header, dib.data(), sizeof(header));
        size_t colors = header.biClrUsed ? header.biClrUsed : (header.biBitCount <= 8 ? (1u << header.biBitCount) : 0);
        size_t masks = header.biCompression == BI_BITFIELDS && header.biSize == sizeof(BITMAPINFOHEADER) ? 12 : 0;
        const uint32_t offset = uint32_t(14 + header.biSize + masks + colors * 4);
        std::vector<uint8_t> file = {'B', 'M'};
        PutLong(file, uint32_t(14 + dib.size()));
        PutLong(file, 0);
        PutLong(file, offset);
        file.insert(file.end(), dib.begin(), dib.end());
        data = TMemoryStream(std::move(file));
        dataType = dtBmp;
        return true;
    }
    if ((allowed & DataTypeBit(dtEmf)) && IsClipboardFormatAvailable(CF_ENHMETAFILE)) {
        auto handle = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
        UINT size = handle ? GetEnhMetaFileBits(handle, 0, nullptr) : 0;
        if (!size) return false;
        std::vector<uint8_t> bytes(size);
        GetEnhMetaFileBits(handle, size, bytes.data());
        data = TMemoryStream(std::move(bytes));
        dataType = dtEmf;
        return true;
    }
    if ((allowed & DataTypeBit(dtWmf)) && IsClipboardFormatAvailable(CF_METAFILEPICT)) {
        HANDLE handle = GetClipboardData(CF_METAFILEPICT);
        auto* picture = handle ? static_cast<METAFILEPICT*>(GlobalLock(handle)) : nullptr;
        if (!picture) return false;
        UINT size = GetMetaFileBitsEx(picture->hMF, 0, nullptr);
        std::vector<uint8_t> bytes(size);
        if (size) GetMetaFileBitsEx(picture->hMF, size, bytes.data());
        GlobalUnlock(handle);
        if (!size) return false;
        data = TMemoryStream(std::move(bytes));
        dataType = dtWmf;
        return true;
    }
    return false;
}

void TWinDataClipboard::Put(const TMemoryStream& compressedData, const String& type, const TFrame* picture)
{
    TOpenClipboard clipboard;
    if (!clipboard.IsOpen()) throw Exception(u"Cannot open the clipboard");
    EmptyClipboard();
    PutBlock(dataFormat_, compressedData.Data(), compressedData.Size());
    String text = type;
    text += Char(0);
    PutBlock(typeFormat_, text.data(), text.size() * sizeof(Char));
    if (picture && !picture->Empty()) {
        // A 32-bit device-independent bitmap, bottom-up; the system offers it as a
        // bitmap too.
        std::vector<uint8_t> dib(sizeof(BITMAPINFOHEADER));
        BITMAPINFOHEADER header{};
        header.biSize = sizeof(header);
        header.biWidth = picture->Width();
        header.biHeight = picture->Height();
        header.biPlanes = 1;
        header.biBitCount = 32;
        header.biCompression = BI_RGB;
        std::memcpy(dib.data(), &header, sizeof(header));
        for (int y = picture->Height() - 1; y >= 0; --y)
            for (int x = 0; x < picture->Width(); ++x) PutLong(dib, picture->Pixel(x, y));
        PutBlock(CF_DIB, dib.data(), dib.size());
    }
}

} // namespace quillora
