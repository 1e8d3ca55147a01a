#pragma once
// The platform's picture codec: every format that the system does not decode itself
// (BMP, GIF, JPEG, PNG, TIFF, metafiles, PNG images inside icons) and all encoding.
// GDI+ serves it in the Windows build, libpng (PNG only) in the native build; tests may
// substitute a fake.

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

// The process-wide decoder: the one set by SetPlatformDecoder, else the default.
TPlatformDecoder& PlatformDecoder();
// Substitutes `decoder` (not owned; nullptr restores the default).
void SetPlatformDecoder(TPlatformDecoder* decoder);
// The build's own decoder, chosen at link time (GDI+ on Windows, libpng elsewhere).
TPlatformDecoder& DefaultPlatformDecoder();

} // namespace quillora
