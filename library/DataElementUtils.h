#pragma once
// The helpers of the data element: the table of data types, the picture size read from
// the data, the preview scale, the hexadecimal dump, the checks on what a document or
// another process hands over (temporary file names, types that would run code, the
// clipboard blocks), and the platform services for the clipboard formats and the list
// of programs that can open a type.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/Streams.h"
#include "foundation/Strings.h"
#include "images/Frame.h"
#include "images/UniversalImage.h"

namespace quillora {

// ---- data types ----

// DataType numbers: 0 any other type, 1 "bmp" ... 14 "tga".
enum TDataType : int {
    dtOther = 0,
    dtBmp = 1,
    dtIco = 2,
    dtCur = 3,
    dtEmf = 4,
    dtWmf = 5,
    dtJpeg = 6,
    dtJpg = 7,
    dtJpe = 8,
    dtJfif = 9,
    dtGif = 10,
    dtPng = 11,
    dtTif = 12,
    dtTiff = 13,
    dtTga = 14,
};
constexpr int DataTypeCount = 15;
// Bits 0 to 14: every type allowed.
constexpr uint16_t AllDataTypes = 0x7FFF;
constexpr uint16_t DataTypeBit(int dataType) { return dataType >= 0 && dataType < 16 ? uint16_t(1u << dataType) : 0; }

// The DataType of `type` (compared without regard to case); 0 for any other.
int DataTypeOf(StringView type);
// The extension of a DataType ("" for 0).
StringView DataTypeExtension(int dataType);
// The type name of the file dialogs ("Bitmap", "JPEG", ...; "" for 0).
StringView DataTypeName(int dataType);
// The settings group that decides how the type is edited: "ExternalEditorBitmaps", ...
StringView DataTypeEditorGroup(int dataType);
// True when `fileName`'s extension has a DataType from 1 to 14.
bool IsKnownDataFile(const String& fileName);

// ---- trust checks ----

// True when the system would run code from a file of this type when it is opened by
// its association ("exe", "bat", "cmd", "js", "lnk", "msi", "ps1", ...; without regard
// to case, also with trailing dots or spaces that the file system drops).
bool IsExecutableDataType(StringView type);

// The extension of a temporary file for `type`: control characters and " * / : < > ?
// \ | removed, cut to 260 characters.
String TemporaryFileExtension(StringView type);

// The pattern of the temporary files of external editing ("File1.png", ...).
inline constexpr StringView ExternalEditingFilePattern = u"File%d";

// True when `fileName` is "File" + a number from 1 (no leading zeros) + "." + an
// extension that TemporaryFileExtension keeps as it is, directly inside
// `documentFolder` (when not empty) or `tempFolder` (folders compared without regard to
// case and to the kind of path delimiter).
bool IsExternalEditingFileName(const String& fileName, const String& documentFolder, const String& tempFolder);

// ---- sizes ----

// The preview percentage for a picture `naturalWidth` wide: the first of 100, 75, 50,
// 25, 10, 5, 4, 3, 2 at which it is at most 720 pixels wide, else 1.
int PreviewScaleFor(int naturalWidth);
// The size at `scale` percent, each side at least 1 pixel (computed in 64 bits).
TPictureSize ScaledPreviewSize(int naturalWidth, int naturalHeight, int scale);

// The picture size read from the start of the data by DataType (no decoding); false
// for the types without a size reader (metafiles among them), a short header or a zero
// side.
bool ReadDataImageSize(int dataType, const uint8_t* data, size_t size, TPictureSize& result);

// ---- hexadecimal dump ----

// Line `line` of the dump of `data`: 64 characters, two upper-case hexadecimal digits
// and a space for each of bytes 16 * line to 16 * line + 15 at character 3 * j, the
// byte itself (U+0000 to U+00FF, "·" below 32) at character 48 + j, spaces elsewhere.
String HexDumpLine(const uint8_t* data, size_t size, size_t line);
inline size_t HexDumpLineCount(size_t size) { return (size + 15) / 16; }

// ---- icons ----

// An icon (or, with `cursor`, a cursor with its hot spot at 0, 0) of one 32-bit image
// `size` x `size`: `picture` drawn scaled onto white, fully opaque.
TMemoryStream MakeIconFile(const TFrame& picture, int size, bool cursor);

// ---- clipboard blocks from another process ----

// The largest data a private clipboard block may inflate to.
constexpr size_t MaxClipboardDataSize = size_t(256) << 20;
// The longest type text taken from the clipboard.
constexpr size_t MaxClipboardTypeLength = 260;

// The type text of a "Loomwise Binary Data Type" block: UTF-16 units up to the first
// zero inside the block (a missing terminator ends it at the block's end; an odd last
// byte is ignored), cut to MaxClipboardTypeLength.
String ParseClipboardType(const uint8_t* block, size_t size);
// Inflates a "Loomwise Binary Data" block into `data` (replaced only on success);
// false for damaged data or more than `maxSize` bytes.
bool InflateClipboardData(const uint8_t* block, size_t size, TMemoryStream& data,
                          size_t maxSize = MaxClipboardDataSize);

// ---- platform services ----

// The clipboard formats of data elements. Provided as Service<TDataClipboard>(): the
// system's clipboard on Windows, TMemoryDataClipboard elsewhere.
class TDataClipboard {
public:
    virtual ~TDataClipboard() = default;

    // The blocks of "Loomwise Binary Data Type" and "Loomwise Binary Data", as the
    // clipboard holds them (whole global memory blocks). False when there is no type
    // block; `hasData` tells whether the data block was there.
    virtual bool GetPrivateBlocks(std::vector<uint8_t>& typeBlock, std::vector<uint8_t>& dataBlock,
                                  bool& hasData) = 0;
    // Whether both private formats are there, or a bitmap, an enhanced metafile or a
    // metafile picture.
    virtual bool CanPaste() = 0;
    // A picture of the clipboard saved in its own file format: a bitmap (when
    // `allowed` has DataType 1) as "bmp", else an enhanced metafile (4) as "emf", else a
    // metafile picture (5) as "wmf". False when there is none of these.
    virtual bool GetPicture(uint16_t allowed, TMemoryStream& data, int& dataType) = 0;
    // Replaces the content with the compressed data, the type (UTF-16 with its zero)
    // and, when given, a bitmap of `picture`, in one opening of the clipboard.
    virtual void Put(const TMemoryStream& compressedData, const String& type, const TFrame* picture) = 0;
};

// An in-process clipboard holding the blocks as they are.
class TMemoryDataClipboard : public TDataClipboard {
public:
    bool GetPrivateBlocks(std::vector<uint8_t>& typeBlock, std::vector<uint8_t>& dataBlock, bool& hasData) override;
    bool CanPaste() override { return (HasTypeBlock && HasDataBlock) || HasBitmap; }
    bool GetPicture(uint16_t allowed, TMemoryStream& data, int& dataType) override;
    void Put(const TMemoryStream& compressedData, const String& type, const TFrame* picture) override;
    void Clear();

    bool HasTypeBlock = false;
    bool HasDataBlock = false;
    std::vector<uint8_t> TypeBlock;
    std::vector<uint8_t> DataBlock;
    // A bitmap on the clipboard, given as the bytes of a picture file and its DataType.
    bool HasBitmap = false;
    TMemoryStream Bitmap;
    int BitmapDataType = dtPng;
    TFrame BitmapFrame; // the last picture Put
    int PutCount = 0;
};

// The programs that can open a file type (for the "Open with" list of the Edit item).
// Provided as Service<TOpenWithPrograms>(): TRegistryOpenWithPrograms on Windows,
// TNoOpenWithPrograms elsewhere.
class TOpenWithPrograms {
public:
    virtual ~TOpenWithPrograms() = default;
    // Fills `values` (program paths) and `names` (display names) for `extension` and
    // the verbs in order; `defaultIndex` the user's chosen program, -1 when none.
    virtual void Build(const String& extension, const std::vector<String>& verbs, std::vector<String>& values,
                       std::vector<String>& names, int& defaultIndex) = 0;
};

// The programs that the registry (Service<TRegistryReader>()) names for opening files
// of `extension` (without the dot) with one of `verbs` (tried in order for each
// program): the registered and the recently used programs first (their names as the
// user chose them), then those of the registered file types. Each program's path goes
// to `values` and its display name to `names`; a path already in `values`, or one whose
// file does not exist, is left out. `defaultIndex` is the entry of the program the user
// chose for the extension, -1 when it is not listed. An extension that could name
// another key (with a "\" or a control character) lists nothing.
void BuildOpenWithList(const String& extension, const std::vector<String>& verbs, std::vector<String>& values,
                       std::vector<String>& names, int& defaultIndex);

// The program path in a registered command line (environment references expanded): the
// quoted or first word, or, for a command run through "rundll32.exe", the library it
// loads. Empty when there is none.
String CommandLineProgram(const String& commandLine);

// The list built from the registry.
class TRegistryOpenWithPrograms : public TOpenWithPrograms {
public:
    void Build(const String& extension, const std::vector<String>& verbs, std::vector<String>& values,
               std::vector<String>& names, int& defaultIndex) override
    {
        BuildOpenWithList(extension, verbs, values, names, defaultIndex);
    }
};

class TNoOpenWithPrograms : public TOpenWithPrograms {
public:
    void Build(const String&, const std::vector<String>&, std::vector<String>&, std::vector<String>&,
               int& defaultIndex) override
    {
        defaultIndex = -1;
    }
};

} // namespace quillora
