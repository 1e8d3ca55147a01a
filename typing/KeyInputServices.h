#pragma once
// The platform services of the keystroke sender: the input injector, the keyboard layout
// and the focused control of the foreground application. Each is provided as
// Service<I>() (foundation/Service.h); the sender takes the three together.

#include "typing/KeyInput.h"
#include "typing/KeyInputLayout.h"
#include "typing/KeyInputTarget.h"

namespace quillora {

struct TKeyInputServices {
    TInputInjector* Input = nullptr;
    TKeyboardLayout* Layout = nullptr;
    TFocusTarget* Target = nullptr;
};

// The three provided services (Service<TInputInjector>() and so on).
TKeyInputServices ProvidedKeyInputServices();

} // namespace quillora
