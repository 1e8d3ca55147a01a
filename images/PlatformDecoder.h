#pragma once
// The platform's picture codec: every format that the program does not decode itself
// (BMP, GIF, JPEG, PNG, TIFF, metafiles, PNG images inside icons) and all encoding.
// Provided as Service<TPlatformDecoder>() (foundation/Service.h): GDI+ in the Windows
// build (images/win32/GdiPlusImage.h), libpng (PNG only, images/PngDecoder.h) in the
// native build.

#include "foundation/Streams.h"
#include "images/Frame.h"

namespace quillora {

enum TPictureEncoder { peBmp, peGif, peJpeg, pePng, peTiff };

class TPlatformDecoder {
public:
    virtual ~TPlatformDecoder() = default;

    // Decodes the picture held from the stream's position to its end into `frame`
    // (resized to the picture). Throws Exception when it cannot.
    virtual void Decode(TMemoryStream& stream, TFrame& frame) = 0;
    // Appends `frame` encoded in the format of `encoder` to `target`.
    virtual void Encode(const TFrame& frame, TPictureEncoder encoder, TMemoryStream& target) = 0;
    // Decodes `source` from its position and appends it re-encoded to `target`.
    virtual void Convert(TMemoryStream& source, TPictureEncoder encoder, TMemoryStream& target)
    {
        TFrame frame;
        Decode(source, frame);
        Encode(frame, encoder, target);
    }
};

} // namespace quillora
