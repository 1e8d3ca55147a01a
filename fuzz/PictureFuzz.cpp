// libFuzzer target of the picture container: the content sniffing, the Targa and icon
// codecs (also when chosen by extension, so large Targa images and icons whose header passes
// as Targa are reached), the platform decoder of the build, and the header size readers.
// Malformed input may raise the codecs' Exception; anything else (a crash, another exception,
// a hang, a leak) is a finding.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/Exceptions.h"
#include "images/PictureSize.h"
#include "images/UniversalImage.h"
#include "shell/PlatformServices.h"

namespace {

void CheckFrames(const quillora::TUniversalImage& image)
{
    for (int i = 0; i < image.FrameCount(); ++i) {
        const quillora::TFrame& frame = image.Frames(i);
        if (frame.Pixels().size() != size_t(frame.Width()) * size_t(frame.Height())) __builtin_trap();
    }
}

void Load(const std::vector<uint8_t>& bytes, int how)
{
    quillora::TMemoryStream stream(bytes);
    quillora::TUniversalImage image;
    try {
        if (how < 0) image.LoadFromStream(stream);
        else image.LoadFromStreamAs(stream, quillora::TPictureFormat(how));
    } catch (const quillora::Exception&) {
    }
    CheckFrames(image);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    static quillora::TPlatformServices platformServices; // the platform decoder among them
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<uint8_t> bytes(data, data + size);
    Load(bytes, -1);
    Load(bytes, quillora::pfTarga);
    Load(bytes, quillora::pfIcon);

    quillora::TPictureSize picture;
    quillora::ReadJpegSize(data, size, picture);
    quillora::ReadBmpSize(data, size, picture);
    quillora::ReadIconSize(data, size, true, picture);
    quillora::ReadGifSize(data, size, picture);
    quillora::ReadPngSize(data, size, picture);
    return 0;
}
