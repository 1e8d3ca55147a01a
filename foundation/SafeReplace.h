#pragma once
// Replacing a file by another in one step, for saving documents safely: the new
// content is written to a temporary file beside the target, made durable, and then
// takes the target's place, so that a failure at any point leaves the old file.

#include "foundation/Strings.h"

namespace quillora {

// Writes the file's buffered content through to the disk. Raises a PlatformError with
// the platform's message when the file cannot be opened or flushed.
void FlushFileToDisk(const String& fileName);

struct TReplaceError {
    long Code = 0;
    String Text; // the platform's text for Code
};

// Moves `source` onto `target` atomically: a reader finds either the old or the new
// target, never none. An existing target is replaced even when it is read-only. On
// failure nothing changes (`source` stays where it is, `target` keeps its content and
// attributes) and the platform's error is returned in `error`.
bool ReplaceFileAtomically(const String& source, const String& target, TReplaceError& error);

// Deletes the file; false when it could not be deleted (or did not exist).
bool RemoveFile(const String& fileName);

} // namespace quillora
