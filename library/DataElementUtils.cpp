#include "library/DataElementUtils.h"

#include <algorithm>
#include <array>

#include "foundation/Exceptions.h"
#include "foundation/TextCompare.h"
#include "foundation/Utils.h"
#include "images/PictureSize.h"

namespace quillora {

namespace {

struct TDataTypeInfo {
    StringView Extension;
    StringView Name;
    StringView EditorGroup;
};

constexpr std::array<TDataTypeInfo, DataTypeCount> DataTypes = {{
    {u"", u"", u"ExternalEditorOther"},
    {u"bmp", u"Bitmap", u"ExternalEditorBitmaps"},
    {u"ico", u"Icon", u"ExternalEditorIcons"},
    {u"cur", u"Cursor", u"ExternalEditorCursors"},
    {u"emf", u"Metafile", u"ExternalEditorMetafiles"},
    {u"wmf", u"Metafile", u"ExternalEditorMetafiles"},
    {u"jpeg", u"JPEG", u"ExternalEditorBitmaps"},
    {u"jpg", u"JPEG", u"ExternalEditorBitmaps"},
    {u"jpe", u"JPEG", u"ExternalEditorBitmaps"},
    {u"jfif", u"JPEG", u"ExternalEditorBitmaps"},
    {u"gif", u"GIF", u"ExternalEditorBitmaps"},
    {u"png", u"PNG", u"ExternalEditorBitmaps"},
    {u"tif", u"TIFF", u"ExternalEditorBitmaps"},
    {u"tiff", u"TIFF", u"ExternalEditorBitmaps"},
    {u"tga", u"TGA", u"ExternalEditorBitmaps"},
}};

// The types whose files the system runs, or hands to an interpreter, when they are
// opened by their association.
constexpr StringView ExecutableTypes[] = {
    u"ade",  u"adp",  u"app",   u"appref-ms", u"application", u"applescript", u"bas",   u"bat",    u"chm",
    u"cmd",  u"com",  u"cpl",   u"crt",       u"csh",         u"der",         u"diagcab", u"exe",
    u"fxp",  u"gadget", u"grp", u"hlp",       u"hpj",         u"hta",          u"inf",
    u"ins",  u"isp",  u"its",   u"jar",       u"jnlp",        u"js",          u"jse",   u"ksh",    u"library-ms",
    u"lnk",  u"mad",  u"maf",   u"mag",       u"mam",         u"maq",         u"mar",   u"mas",    u"mat",
    u"mau",  u"mav",  u"maw",   u"mcf",       u"mda",         u"mdb",         u"mde",   u"mdt",    u"mdw",
    u"mdz",  u"msc",  u"msh",   u"msh1",      u"msh1xml",     u"msh2",        u"msh2xml", u"mshxml", u"msi",
    u"msix", u"msixbundle", u"msp", u"mst",   u"ops",         u"pcd",   u"pif",    u"pl",
    u"plg",  u"prf",  u"prg",   u"ps1",       u"ps1xml",      u"ps2",         u"ps2xml", u"psc1",  u"psc2",
    u"psd1", u"psm1", u"pst",   u"py",        u"pyc",         u"pyo",         u"pyw",   u"pyz",    u"pyzw",
    u"rb",   u"reg",  u"scf",   u"scr",       u"sct",         u"search-ms",   u"settingcontent-ms", u"shb",
    u"shs",  u"slk",  u"theme",     u"url",         u"vb",    u"vbe",    u"vbp",
    u"vbs",  u"vhd",  u"vhdx",  u"vsmacros",  u"vsw",         u"webpnp",      u"website", u"ws",   u"wsc",
    u"wsf",  u"wsh",  u"xbap",  u"xll",       u"xnk",         u"appx",        u"appxbundle", 
    
};

bool IsForbiddenInExtension(Char c)
{
    return c < 32 || c == u'"' || c == u'*' || c == u'/' || c == u':' || c == u'<' || c == u'>' || c == u'?' ||
           c == u'\\' || c == u'|';
}

String NormalizedFolder(const String& folder)
{
    String result = folder;
    for (Char& c : result)
        if (c == u'/') c = u'\\';
    while (result.size() > 1 && result.back() == u'\\') result.pop_back();
    return result;
}

} // namespace

int DataTypeOf(StringView type)
{
    if (type.empty()) return dtOther;
    for (int i = 1; i < DataTypeCount; ++i)
        if (SameTextAscii(type, DataTypes[size_t(i)].Extension)) return i;
    return dtOther;
}

StringView DataTypeExtension(int dataType)
{
    return dataType > 0 && dataType < DataTypeCount ? DataTypes[size_t(dataType)].Extension : StringView();
}

StringView DataTypeName(int dataType)
{
    return dataType > 0 && dataType < DataTypeCount ? DataTypes[size_t(dataType)].Name : StringView();
}

StringView DataTypeEditorGroup(int dataType)
{
    return DataTypes[size_t(dataType > 0 && dataType < DataTypeCount ? dataType : 0)].EditorGroup;
}

bool IsKnownDataFile(const String& fileName) { return DataTypeOf(GetExtension(fileName)) != dtOther; }

bool IsExecutableDataType(StringView type)
{
    // The file system drops trailing dots and spaces: "exe." and "exe " open as "exe".
    size_t end = type.size();
    while (end > 0 && (type[end - 1] == u'.' || type[end - 1] == u' ')) --end;
    StringView bare = type.substr(0, end);
    // A type with a stream name or a further dot ("txt:x", "a.exe") is never trusted.
    if (bare.find_first_of(u":.") != StringView::npos) return true;
    for (StringView executable : ExecutableTypes)
        if (SameTextAscii(bare, executable)) return true;
    return false;
}

String TemporaryFileExtension(StringView type)
{
    String result;
    for (Char c : type)
        if (!IsForbiddenInExtension(c)) result += c;
    if (result.size() > 260) result.resize(260);
    return result;
}

bool IsExternalEditingFileName(const String& fileName, const String& documentFolder, const String& tempFolder)
{
    size_t slash = fileName.find_last_of(u"\\/");
    if (slash == String::npos) return false;
    const String folder = NormalizedFolder(fileName.substr(0, slash + 1));
    const String name = fileName.substr(slash + 1);
    bool inFolder = (!documentFolder.empty() && SameTextIgnoreCase(folder, NormalizedFolder(documentFolder))) ||
                    (!tempFolder.empty() && SameTextIgnoreCase(folder, NormalizedFolder(tempFolder)));
    if (!inFolder) return false;
    // "File" + number + "." + extension, in exactly this case.
    if (name.size() < 7 || name.compare(0, 4, u"File") != 0) return false;
    size_t i = 4;
    if (name[i] < u'1' || name[i] > u'9') return false;
    while (i < name.size() && name[i] >= u'0' && name[i] <= u'9') ++i;
    if (i - 4 > 9) return false;
    if (i >= name.size() || name[i] != u'.') return false;
    const String extension = name.substr(i + 1);
    return !extension.empty() && extension.find(u'.') == String::npos && TemporaryFileExtension(extension) == extension;
}

int PreviewScaleFor(int naturalWidth)
{
    static constexpr int Scales[] = {100, 75, 50, 25, 10, 5, 4, 3, 2};
    for (int scale : Scales)
        if (int64_t(naturalWidth) * scale / 100 <= 720) return scale;
    return 1;
}

TPictureSize ScaledPreviewSize(int naturalWidth, int naturalHeight, int scale)
{
    auto side = [scale](int natural) {
        int64_t value = int64_t(natural) * scale / 100;
        return int(std::clamp<int64_t>(value, 1, INT32_MAX));
    };
    return {side(naturalWidth), side(naturalHeight)};
}

bool ReadDataImageSize(int dataType, const uint8_t* data, size_t size, TPictureSize& result)
{
    switch (dataType) {
    case dtBmp: return ReadBmpSize(data, size, result);
    case dtIco: return ReadIconSize(data, size, true, result);
    case dtCur: return ReadIconSize(data, size, false, result);
    case dtJpeg:
    case dtJpg:
    case dtJpe:
    case dtJfif: return ReadJpegSize(data, size, result);
    case dtGif: return ReadGifSize(data, size, result);
    case dtPng: return ReadPngSize(data, size, result);
    default: return false;
    }
}

String HexDumpLine(const uint8_t* data, size_t size, size_t line)
{
    static constexpr char Digits[] = "0123456789ABCDEF";
    String text(64, u' ');
    for (size_t j = 0; j < 16; ++j) {
        size_t index = line * 16 + j;
        if (index >= size) break;
        uint8_t byte = data[index];
        text[3 * j] = Char(Digits[byte >> 4]);
        text[3 * j + 1] = Char(Digits[byte & 15]);
        text[48 + j] = byte < 32 ? Char(0x00B7) : Char(byte);
    }
    return text;
}

namespace {

void PutWord(TMemoryStream& stream, uint16_t value)
{
    uint8_t bytes[2] = {uint8_t(value), uint8_t(value >> 8)};
    stream.Write(bytes, 2);
}

void PutLong(TMemoryStream& stream, uint32_t value)
{
    uint8_t bytes[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
    stream.Write(bytes, 4);
}

// `argb` over opaque white.
uint32_t OverWhite(uint32_t argb)
{
    uint32_t a = argb >> 24;
    auto mix = [a](uint32_t c) { return (c * a + 255 * (255 - a) + 127) / 255; };
    return 0xFF000000u | (mix((argb >> 16) & 0xFF) << 16) | (mix((argb >> 8) & 0xFF) << 8) | mix(argb & 0xFF);
}

} // namespace

TMemoryStream MakeIconFile(const TFrame& picture, int size, bool cursor)
{
    const int side = std::clamp(size, 1, 256);
    std::vector<uint32_t> pixels(size_t(side) * size_t(side), 0xFFFFFFFFu);
    if (!picture.Empty())
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x) {
                int sx = int((int64_t(2 * x + 1) * picture.Width()) / (2 * side));
                int sy = int((int64_t(2 * y + 1) * picture.Height()) / (2 * side));
                pixels[size_t(y) * size_t(side) + size_t(x)] = OverWhite(picture.Pixel(sx, sy));
            }
    const uint32_t maskStride = uint32_t(((side + 31) / 32) * 4);
    const uint32_t imageSize = 40 + uint32_t(side) * uint32_t(side) * 4 + maskStride * uint32_t(side);
    TMemoryStream file;
    PutWord(file, 0);
    PutWord(file, cursor ? 2 : 1);
    PutWord(file, 1);
    uint8_t entry[4] = {uint8_t(side == 256 ? 0 : side), uint8_t(side == 256 ? 0 : side), 0, 0};
    file.Write(entry, 4);
    PutWord(file, cursor ? 0 : 1);  // planes, or the hot spot's x
    PutWord(file, cursor ? 0 : 32); // bits per pixel, or the hot spot's y
    PutLong(file, imageSize);
    PutLong(file, 22);
    // The information header: the height counts the colour image and the mask.
    PutLong(file, 40);
    PutLong(file, uint32_t(side));
    PutLong(file, uint32_t(side) * 2);
    PutWord(file, 1);
    PutWord(file, 32);
    for (int i = 0; i < 6; ++i) PutLong(file, 0);
    for (int y = side - 1; y >= 0; --y)
        for (int x = 0; x < side; ++x) PutLong(file, pixels[size_t(y) * size_t(side) + size_t(x)]);
    std::vector<uint8_t> mask(size_t(maskStride) * size_t(side), 0); // every pixel opaque
    file.Write(mask.data(), mask.size());
    file.SetPosition(0);
    return file;
}

String ParseClipboardType(const uint8_t* block, size_t size)
{
    String type;
    const size_t units = size / 2;
    for (size_t i = 0; i < units && type.size() < MaxClipboardTypeLength; ++i) {
        Char c = Char(block[2 * i] | (block[2 * i + 1] << 8));
        if (c == 0) break;
        type += c;
    }
    return type;
}

bool InflateClipboardData(const uint8_t* block, size_t size, TMemoryStream& data, size_t maxSize)
{
    if (size == 0) {
        data.Clear();
        return true;
    }
    TMemoryStream source(std::vector<uint8_t>(block, block + size));
    TMemoryStream inflated;
    try {
        DecompressStream(source, inflated, maxSize);
    } catch (const Exception&) {
        return false;
    }
    data = std::move(inflated);
    data.SetPosition(0);
    return true;
}

// ---- the in-process clipboard ----

bool TMemoryDataClipboard::GetPrivateBlocks(std::vector<uint8_t>& typeBlock, std::vector<uint8_t>& dataBlock,
                                            bool& hasData)
{
    if (!HasTypeBlock) return false;
    typeBlock = TypeBlock;
    hasData = HasDataBlock;
    dataBlock = HasDataBlock ? DataBlock : std::vector<uint8_t>();
    return true;
}

bool TMemoryDataClipboard::GetPicture(uint16_t allowed, TMemoryStream& data, int& dataType)
{
    if (!HasBitmap || !(allowed & DataTypeBit(dtBmp))) return false;
    data = Bitmap;
    data.SetPosition(0);
    dataType = BitmapDataType;
    return true;
}

void TMemoryDataClipboard::Put(const TMemoryStream& compressedData, const String& type, const TFrame* picture)
{
    Clear();
    ++PutCount;
    HasDataBlock = true;
    DataBlock = compressedData.Bytes();
    HasTypeBlock = true;
    for (Char c : type) {
        TypeBlock.push_back(uint8_t(c));
        TypeBlock.push_back(uint8_t(c >> 8));
    }
    TypeBlock.push_back(0);
    TypeBlock.push_back(0);
    if (picture) BitmapFrame = *picture;
}

void TMemoryDataClipboard::Clear()
{
    HasTypeBlock = HasDataBlock = HasBitmap = false;
    TypeBlock.clear();
    DataBlock.clear();
    Bitmap.Clear();
    BitmapFrame = TFrame();
}

} // namespace quillora
