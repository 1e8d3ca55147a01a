#pragma once
// An element that takes a step of its own a while after it gained the focus as a new
// element (the sheet's DelayFocusAction): a list opens, a frame passes the caret on.

namespace quillora {

class IDelayedFocusElement {
public:
    virtual ~IDelayedFocusElement() = default;
    // Run by the sheet when the delay runs out; `dropDownOnFocusNew` is the sheet's setting.
    virtual void DelayedFocusAction(bool dropDownOnFocusNew) = 0;
};

} // namespace quillora
