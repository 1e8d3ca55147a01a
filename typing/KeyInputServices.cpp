#include "typing/KeyInputServices.h"

#include "foundation/Service.h"

namespace quillora {

TKeyInputServices ProvidedKeyInputServices()
{
    return {&Service<TInputInjector>(), &Service<TKeyboardLayout>(), &Service<TFocusTarget>()};
}

} // namespace quillora
