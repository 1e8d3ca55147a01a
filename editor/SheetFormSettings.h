#pragma once
// The settings groups of the editor's windows: "SheetForm" (the sheet form) and
// "PaletteForm" (the palette). The program owns them and attaches them to the settings
// root.

#include "foundation/Props.h"

namespace quillora {

class TSheetFormSettings : public TProperty {
public:
    explicit TSheetFormSettings(TProperty* owner = nullptr);

    TBooleanProperty& ShowHints() const { return *showHints_; }

private:
    TBooleanProperty* showHints_;
};

class TPaletteFormSettings : public TProperty {
public:
    explicit TPaletteFormSettings(TProperty* owner = nullptr);

    TBooleanProperty& ShowHeaders() const { return *showHeaders_; }
    TBooleanProperty& ShowCaptions() const { return *showCaptions_; }
    TBooleanProperty& ShowHints() const { return *showHints_; }

private:
    TBooleanProperty* showHeaders_;
    TBooleanProperty* showCaptions_;
    TBooleanProperty* showHints_;
};

} // namespace quillora
