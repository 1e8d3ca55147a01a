#pragma once
// The picture container: every picture the system reads is decoded into an ordered list of
// 32-bit ARGB frames. Icons and cursors give one frame per image, other formats one frame.

#include <memory>
#include <vector>

#include "foundation/Streams.h"
#include "foundation/Strings.h"
#include "images/Frame.h"
#include "images/PlatformDecoder.h"

namespace quillora {

// Which codec reads a picture.
enum TPictureFormat { pfPlatform, pfTarga, pfIcon };

// By content, from the stream's position (which is left unchanged): a plausible Targa
// header in the first 22 bytes, then the icon and cursor header words 0 and 1 or 2, else
// the platform decoder.
TPictureFormat PictureFormatOfContent(const TMemoryStream& stream);
// By the file name's extension: "ico" and "cur" the icon codec, "tga" Targa, any other
// the platform decoder (compared without regard to case).
TPictureFormat PictureFormatOfExtension(StringView fileName);

struct TPictureSize {
    int Width = 0;
    int Height = 0;
    bool operator==(const TPictureSize&) const = default;
};

class TUniversalImage {
public:
    TUniversalImage() = default;
    TUniversalImage(const TUniversalImage& other) { Assign(other); }
    TUniversalImage& operator=(const TUniversalImage& other)
    {
        if (this != &other) Assign(other);
        return *this;
    }

    void Clear() { frames_.clear(); }
    // Appends a new empty frame and returns it.
    TFrame& AddFrame();
    // Clear, then one copy of every frame of `source`.
    void Assign(const TUniversalImage& source);

    int FrameCount() const { return int(frames_.size()); }
    TFrame& Frames(int index) { return *frames_[size_t(index)]; }
    const TFrame& Frames(int index) const { return *frames_[size_t(index)]; }
    // The main frame; nullptr when the container is empty.
    TFrame* FirstFrame() { return frames_.empty() ? nullptr : frames_.front().get(); }
    const TFrame* FirstFrame() const { return frames_.empty() ? nullptr : frames_.front().get(); }
    bool IsEmpty() const { return frames_.empty(); }
    // The size of the first frame (0 x 0 when empty).
    TPictureSize GetSize() const;

    // Replaces the frames with the picture of the file, its codec chosen by the extension.
    void LoadFromFile(const String& fileName);
    // Replaces the frames with the picture at the stream's position, its codec chosen by
    // the content.
    void LoadFromStream(TMemoryStream& stream);
    // Replaces the frames with the picture at the stream's position, read by `format`.
    // Errors end the load; frames added before the error stay.
    void LoadFromStreamAs(TMemoryStream& stream, TPictureFormat format);

    // Appends frame `index` (the first when negative) encoded by the platform encoder.
    void SaveFrameToStream(int index, TPictureEncoder encoder, TMemoryStream& target) const;

    // The conversions for image elements: decodes `source` from its position with the
    // platform decoder and returns it encoded as `encoder` says.
    static TMemoryStream Convert(TMemoryStream& source, TPictureEncoder encoder);

private:
    std::vector<std::unique_ptr<TFrame>> frames_;
};

} // namespace quillora
