#pragma once
// The settings groups of the sheet canvas: "Sheet" (theme, font size, caret and the
// editor's focus rules) and "Print". Both hang under the settings root.

#include "foundation/Props.h"
#include "foundation/SettingsPlatform.h"

namespace quillora {

class TSheetSettings : public TProperty {
public:
    // The caret size's default is the border width of `platform`.
    TSheetSettings(TProperty* owner, const TSettingsPlatform& platform);

    TStringProperty& Theme() const { return *theme_; }
    // 0 "" (normal), 1 "Large", 2 "Great".
    TEnumProperty& FontSize() const { return *fontSize_; }
    TBooleanProperty& NonPrintingCharacters() const { return *nonPrintingCharacters_; }
    // 1..20; the default is the system's border width.
    TIntegerProperty& CaretSize() const { return *caretSize_; }
    TBooleanProperty& FocusNew() const { return *focusNew_; }
    TBooleanProperty& DropDownOnFocusNew() const { return *dropDownOnFocusNew_; }
    TBooleanProperty& IncreaseWorkspaceHeight() const { return *increaseWorkspaceHeight_; }

private:
    TStringProperty* theme_;
    TEnumProperty* fontSize_;
    TBooleanProperty* nonPrintingCharacters_;
    TIntegerProperty* caretSize_;
    TBooleanProperty* focusNew_;
    TBooleanProperty* dropDownOnFocusNew_;
    TBooleanProperty* increaseWorkspaceHeight_;
};

class TPrintSettings : public TProperty {
public:
    explicit TPrintSettings(TProperty* owner);

    TStringProperty& Theme() const { return *theme_; }
    // 0 "", 1 "Large", 2 "Great".
    TEnumProperty& FontSize() const { return *fontSize_; }
    // Percent, 1..500.
    TIntegerProperty& Scale() const { return *scale_; }

private:
    TStringProperty* theme_;
    TEnumProperty* fontSize_;
    TIntegerProperty* scale_;
};

} // namespace quillora
