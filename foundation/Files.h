#pragma once
// Whole-file reading and writing by UTF-16 file names, on every platform.

#include <cstdint>
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

// The last-write time of a file in seconds since 1970-01-01 UTC; false when the file
// does not exist or its time cannot be read.
bool GetFileLastWriteTime(const String& fileName, int64_t& unixSeconds);

// Sets the last-write time of an existing file; false on failure.
bool SetFileLastWriteTime(const String& fileName, int64_t unixSeconds);

// Copies `source` over `dest` (created or overwritten), giving the copy the source's
// last-write time, as the platform's file copy does; false on any failure (a missing
// source included).
bool CopyFileReplacing(const String& source, const String& dest);

// The folder part of a file name, with its trailing delimiter ("" when none).
String ExtractFilePath(const String& fileName);
// Creates the folder with every missing parent; true when it exists afterwards.
bool ForceFolders(const String& folder);

} // namespace quillora
