#pragma once
// The platform services of the keystroke sender, chosen once for the process: the
// platform's own unless a test substituted others.

#include "typing/KeyInput.h"
#include "typing/KeyInputLayout.h"
#include "typing/KeyInputTarget.h"

namespace quillora {

struct TKeyInputServices {
    TInputInjector* Input = nullptr;
    TKeyboardLayout* Layout = nullptr;
    TFocusTarget* Target = nullptr;
};

const TKeyInputServices& KeyInputServices();
// Substitutes the services (tests); null restores the platform's. Not owned.
void SetKeyInputServices(const TKeyInputServices* services);
// The platform's own services, defined by the platform's source file.
const TKeyInputServices& PlatformKeyInputServices();

} // namespace quillora
