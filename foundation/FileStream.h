#pragma once
// A file opened for writing, over UTF-16 path names on every platform.

#include <cstddef>
#include <cstdint>
#include <memory>

#include "foundation/Streams.h"
#include "foundation/Strings.h"

namespace quillora {

class TFileStream {
public:
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;
    // Closes the file (errors of closing are lost here; call Close to see them).
    ~TFileStream();

    // Creates a new empty file and opens it for writing, never touching an existing
    // one: null when something (a file or a folder) already has the name. Other
    // failures raise: a missing folder "Path not found: %1", anything else the
    // platform's message.
    static std::unique_ptr<TFileStream> CreateNew(const String& fileName);

    const String& FileName() const { return fileName_; }
    bool IsOpen() const { return handle_ != InvalidHandle; }

    // Writes all bytes at the end of what was written; raises on failure.
    void Write(const void* bytes, size_t count);
    // Writes the whole content of `stream` (its position is left alone).
    void Write(const TMemoryStream& stream) { Write(stream.Data(), stream.Size()); }
    // Closes the file; raises when the last writes could not be completed.
    void Close();

private:
    static constexpr intptr_t InvalidHandle = -1;
    TFileStream(String fileName, intptr_t handle) : fileName_(std::move(fileName)), handle_(handle) {}

    String fileName_;
    intptr_t handle_ = InvalidHandle;
};

} // namespace quillora
