#pragma once
// The native build's platform decoder: PNG through libpng. Other formats are not
// available there and fail with an error.

#include "images/PlatformDecoder.h"

namespace quillora {

class TPngDecoder final : public TPlatformDecoder {
public:
    void Decode(TMemoryStream& stream, TFrame& frame) override;
    // PNG only.
    void Encode(const TFrame& frame, TPictureEncoder encoder, TMemoryStream& target) override;
};

} // namespace quillora
