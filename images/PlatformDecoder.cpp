#include "images/PlatformDecoder.h"

namespace quillora {

namespace {
TPlatformDecoder* substitute = nullptr;
}

TPlatformDecoder& PlatformDecoder()
{
    return substitute ? *substitute : DefaultPlatformDecoder();
}

void SetPlatformDecoder(TPlatformDecoder* decoder)
{
    substitute = decoder;
}

} // namespace quillora
