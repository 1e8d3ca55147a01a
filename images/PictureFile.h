#pragma once
// Whole-file reading and writing for pictures. The Windows build opens files through the
// Win32 API (images/win32/PictureFileWin.cpp), the native build through the C library.

#include "foundation/Streams.h"
#include "foundation/Strings.h"

namespace quillora {

// The file's bytes; opened for reading with writing by others denied. A file that cannot
// be opened raises the "File not found" error.
TMemoryStream ReadPictureFile(const String& fileName);
// Creates or replaces the file with the bytes of `data`; raises an Exception on failure.
void WritePictureFile(const String& fileName, const TMemoryStream& data);

} // namespace quillora
