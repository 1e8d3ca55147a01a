#pragma once
// The keys of the settings that the typing engine reads, each afresh at every use. They
// live in the program's "General" group; the program hands them over.

#include "foundation/Props.h"

namespace quillora {

struct TTypingSettings {
    // 0 "Method1" (character messages), 1 "" (keystrokes, the default).
    const TEnumProperty& Method;
    // Milliseconds between two typed steps, 1..200.
    const TIntegerProperty& Interval;
    // The font of the drop-down list.
    const TFontProperty& DropDownFont;
};

} // namespace quillora
