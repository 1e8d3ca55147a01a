#include "foundation/Knot.h"

namespace quillora {

void TKnotParam::FreeStream()
{
    ownedStream_.reset();
    stream_ = nullptr;
}

void TKnotParam::SetKind(TKnotParamKind kind)
{
    if (kind == kind_) return;
    FreeStream();
    text_.clear();
    kind_ = kind;
}

void TKnotParam::SetText(String text)
{
    SetKind(pkText);
    text_ = std::move(text);
}

void TKnotParam::SetStream(const TMemoryStream& stream)
{
    SetKind(pkNone);
    ownedStream_ = std::make_unique<TMemoryStream>(stream.Bytes());
    stream_ = ownedStream_.get();
    kind_ = pkStream;
}

void TKnotParam::SetStreamRef(TMemoryStream* stream)
{
    SetKind(pkNone);
    stream_ = stream;
    kind_ = pkStreamRef;
}

String TKnotParam::TextForm() const { return kind_ == pkText ? text_ : String(); }
String TKnotParam::GetPath() const { return owner_->GetPath() + u"." + name_; }

TKnot::TKnot(String name) : name_(std::move(name)) {}
TKnot::~TKnot() = default;

TKnot* TKnot::AddKnot(StringView name)
{
    auto* k = new TKnot(String(name));
    k->SetParent(this);
    return k;
}

TKnot* TKnot::FindKnot(StringView name, TKnot* after) { return nullptr; }
TKnot* TKnot::GetKnot(StringView name) { return AddKnot(name); }
TKnot* TKnot::GetKnotByPath(StringView path, bool create) { return nullptr; }
TKnot* TKnot::FirstKnot() { return static_cast<TKnot*>(FirstChild()); }
TKnot* TKnot::LastKnot() { return static_cast<TKnot*>(LastChild()); }
TKnot* TKnot::NextKnot() { return static_cast<TKnot*>(NextSibling()); }
TKnot* TKnot::ParentKnot() { return static_cast<TKnot*>(Parent()); }
void TKnot::Assign(const TKnot& source) {}
void TKnot::Clear() {}
void TKnot::ClearParams() { params_.clear(); }
void TKnot::SetOptions(TKnotOptions options) { inheritedOptions_ = options; }
bool TKnot::IsEmpty() const { return true; }
TKnotParam* TKnot::FindParam(StringView name) const { return nullptr; }
bool TKnot::ParamExists(StringView name) { return false; }
TKnotParam* TKnot::AddParam(StringView name)
{
    params_.push_back(std::make_unique<TKnotParam>(this, String(name)));
    return params_.back().get();
}
String TKnot::ReadString(StringView name, StringView defaultValue) { return String(defaultValue); }
int32_t TKnot::ReadInteger(StringView name, int32_t defaultValue, int32_t min, int32_t max) { return defaultValue; }
bool TKnot::ReadBool(StringView name, bool defaultValue) { return defaultValue; }
TColor TKnot::ReadColor(StringView name, TColor defaultValue) { return defaultValue; }
bool TKnot::ReadStream(StringView name, TMemoryStream& stream) { return true; }
void TKnot::ReadFont(TFontData& font) {}
void TKnot::ReadFormPlacement(TPlacementForm& form) {}
void TKnot::WriteString(StringView name, StringView value) { AddParam(name)->SetText(String(value)); }
void TKnot::WriteInteger(StringView name, int32_t value) { AddParam(name)->SetText(IntToString(value)); }
void TKnot::WriteBool(StringView name, bool value) { AddParam(name)->SetText(value ? u"1" : u"0"); }
void TKnot::WriteColor(StringView name, TColor color) {}
void TKnot::WriteStream(StringView name, const TMemoryStream& stream) { AddParam(name)->SetStream(stream); }
void TKnot::WriteStreamRef(StringView name, TMemoryStream* stream) { AddParam(name)->SetStreamRef(stream); }
void TKnot::WriteFont(const TFontData& font) {}
void TKnot::WriteFormPlacement(const TPlacementForm& form) {}
void TKnot::LoadFromFile(const String& fileName) {}
void TKnot::LoadFromStream(TMemoryStream& stream) {}
void TKnot::LoadFromText(StringView text) {}
void TKnot::SaveToFile(const String& fileName, TTextEncoding encoding) {}
void TKnot::SaveToStream(TMemoryStream& stream, TTextEncoding encoding) {}
String TKnot::SaveToText() { return {}; }
void TKnot::WriteTo(TCustomXmlCodeWriter& writer) {}
String TKnot::GetPath() const { return name_; }
bool TKnot::FindUnread(std::vector<TKnot*>* knots, std::vector<TKnotParam*>* params) { return false; }
void TKnot::MarkVisited(bool value) { visited_ = value; }
void TKnot::ParentChanged() {}

} // namespace quillora
