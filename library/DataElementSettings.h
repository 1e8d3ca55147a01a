#pragma once
// The settings group "Data" of the data element: how each kind of picture is opened for
// external editing. The program owns the group and attaches it under "Sheet".

#include "foundation/Props.h"

namespace quillora {

// How one kind of picture is opened for external editing.
class TExternalEditorSettings : public TProperty {
public:
    TExternalEditorSettings(TProperty* owner, String key);

    // 0 "" (the system's editor), 1 "CustomEditor", 2 "None".
    TEnumProperty& DefaultAction() const { return *defaultAction_; }
    TStringProperty& CustomEditor() const { return *customEditor_; }

private:
    TEnumProperty* defaultAction_;
    TStringProperty* customEditor_;
};

class TDataElementSettings : public TProperty {
public:
    explicit TDataElementSettings(TProperty* owner = nullptr);

    TExternalEditorSettings& ExternalEditorBitmaps() const { return *bitmaps_; }
    TExternalEditorSettings& ExternalEditorIcons() const { return *icons_; }
    TExternalEditorSettings& ExternalEditorCursors() const { return *cursors_; }
    TExternalEditorSettings& ExternalEditorMetafiles() const { return *metafiles_; }
    TExternalEditorSettings& ExternalEditorOther() const { return *other_; }

private:
    TExternalEditorSettings* bitmaps_;
    TExternalEditorSettings* icons_;
    TExternalEditorSettings* cursors_;
    TExternalEditorSettings* metafiles_;
    TExternalEditorSettings* other_;
};

} // namespace quillora
