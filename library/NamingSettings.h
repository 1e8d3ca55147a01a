#pragma once
// The settings group "Naming": how new element names are filled in. The program owns the
// group and attaches it under "Sheet".

#include "foundation/Props.h"

namespace quillora {

class TNamingSettings : public TProperty {
public:
    explicit TNamingSettings(TProperty* owner = nullptr);

    TBooleanProperty& FillEnabled() const { return *fillEnabled_; }
    // 0 "", 1 "Upper", 2 "Lower", 3 "Extra".
    TEnumProperty& FillMode() const { return *fillMode_; }
    TBooleanProperty& FillNumberFirst() const { return *fillNumberFirst_; }
    TBooleanProperty& FillUnderscore() const { return *fillUnderscore_; }
    // 1..12.
    TIntegerProperty& FillDigits() const { return *fillDigits_; }

private:
    TBooleanProperty* fillEnabled_;
    TEnumProperty* fillMode_;
    TBooleanProperty* fillNumberFirst_;
    TBooleanProperty* fillUnderscore_;
    TIntegerProperty* fillDigits_;
};

} // namespace quillora
