#ifndef _WIN32
#include "images/PictureFile.h"

#include <cstdio>
#include <memory>

#include "foundation/Exceptions.h"
#include "foundation/Localization.h"

namespace quillora {

namespace {
struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;
} // namespace

TMemoryStream ReadPictureFile(const String& fileName)
{
    FilePtr file(std::fopen(StringToUtf8(fileName).c_str(), "rb"));
    if (!file) RaiseFileNotFound(fileName);
    TMemoryStream stream;
    uint8_t buffer[65536];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, file.get())) > 0) stream.Write(buffer, n);
    if (std::ferror(file.get())) throw Exception(u"Stream read error");
    stream.SetPosition(0);
    return stream;
}

void WritePictureFile(const String& fileName, const TMemoryStream& data)
{
    FilePtr file(std::fopen(StringToUtf8(fileName).c_str(), "wb"));
    bool ok = file && std::fwrite(data.Data(), 1, data.Size(), file.get()) == data.Size();
    if (ok) ok = std::fclose(file.release()) == 0;
    if (!ok) throw Exception(u"Cannot create file \"" + fileName + u"\"");
}

} // namespace quillora
#endif
