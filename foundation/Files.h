#pragma once
// Whole-file reading and writing by UTF-16 file names, on every platform.

#include <string>
#include <string_view>

#include "foundation/Strings.h"

namespace quillora {

// True when a regular file (not a folder) of that name exists.
bool FileExists(const String& fileName);

// The bytes of the whole file. A missing file raises "File not found: %1"
// (RaiseFileNotFound); any other failure a PlatformError with the platform's message.
std::string ReadWholeFile(const String& fileName);

// Creates or truncates the file and writes `bytes`; raises a PlatformError with the
// platform's message when the file cannot be created or written.
void WriteWholeFile(const String& fileName, std::string_view bytes);

} // namespace quillora
