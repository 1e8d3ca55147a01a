#include "typing/KeyInputServices.h"

namespace quillora {

namespace {
const TKeyInputServices* substitute = nullptr;
} // namespace

const TKeyInputServices& KeyInputServices()
{
    return substitute ? *substitute : PlatformKeyInputServices();
}

void SetKeyInputServices(const TKeyInputServices* services)
{
    substitute = services;
}

} // namespace quillora
