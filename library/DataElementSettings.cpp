#include "library/DataElementSettings.h"

namespace quillora {

TExternalEditorSettings::TExternalEditorSettings(TProperty* owner, String key)
    : TProperty(owner, std::move(key)),
      defaultAction_(new TEnumProperty(this, u"DefaultAction", {u"", u"CustomEditor", u"None"})),
      customEditor_(new TStringProperty(this, u"CustomEditor"))
{
}

TDataElementSettings::TDataElementSettings(TProperty* owner)
    : TProperty(owner, u"Data"),
      bitmaps_(new TExternalEditorSettings(this, u"ExternalEditorBitmaps")),
      icons_(new TExternalEditorSettings(this, u"ExternalEditorIcons")),
      cursors_(new TExternalEditorSettings(this, u"ExternalEditorCursors")),
      metafiles_(new TExternalEditorSettings(this, u"ExternalEditorMetafiles")),
      other_(new TExternalEditorSettings(this, u"ExternalEditorOther"))
{
}

} // namespace quillora
