#include "library/Log.h"

#include "elements/ClassesGroups.h"
#include "elements/CustomSheet.h"
#include "elements/EditCommands.h"
#include "elements/Filer.h"
#include "elements/Scheme.h"
#include "foundation/FontData.h"
#include "foundation/Knot.h"
#include "foundation/NumberParse.h"
#include "foundation/Service.h"
#include "foundation/SettingsPlatform.h"
#include "elements/SchemeImages.h"
#include "library/LogSettings.h"
#include "render/SheetCanvas.h"
#include "text/Paragraph.h"
#include "text/Portion.h"
#include "text/RichTextAttributes.h"
#include "text/SchemeTextor.h"
#include "text/TextorInteractive.h"

namespace quillora {

namespace {

constexpr StringView CharsName = u"Chars";
constexpr StringView BrName = u"Br";
constexpr StringView ValueName = u"Value";

// The sign colours, drawn when the sign's picture is missing: hint, warning, error.
constexpr TColor SignColors[3] = {0x00C08000, 0x0000A0E0, 0x000000D0};

// Holds one reference to the registered log text attributes until program end. Made after
// the attribute registry (its first use registers), so it is released before the
// registry goes.
class TLogAttributesHolder {
public:
    TLogAttributesHolder()
    {
        TRichTextAttributes scratch;
        if (const TSettingsPlatform* platform = FindService<TSettingsPlatform>()) {
            const TFontData font = platform->MessageFont();
            if (!font.Name.empty()) scratch.SetFontName(font.Name);
            if (font.Size > 0) scratch.SetSize(font.Size);
        }
        held_ = TRichTextAttributes::GetRegistered(scratch);
        held_->AddRef();
    }
    ~TLogAttributesHolder() { held_->Release(); }
    TRichTextAttributes* Get() const { return held_; }

private:
    TRichTextAttributes* held_;
};

// Link attributes of the log: the default ones in blue, underlined, marked as a link.
TTextAttributes* LinkAttributes(TTextAttributes* defaults, const String& link)
{
    TRichTextAttributes attributes;
    if (defaults) attributes.Assign(*defaults);
    attributes.SetColor(clBlue);
    attributes.SetStyle(static_cast<TFontStyles>(attributes.Style() | fsUnderline));
    attributes.SetIsLink(true);
    attributes.SetHyperlink(link);
    return static_cast<TTextAttributes*>(TAttributes::GetRegistered(attributes));
}

// The link letter of a message part kind; 0 for plain text.
Char LinkLetter(uint8_t kind)
{
    switch (kind) {
    case mpElements: return u'E';
    case mpFileName: return u'F';
    case mpSettings: return u'S';
    default: return 0;
    }
}

const Char* LinkParamName(uint8_t kind)
{
    switch (kind) {
    case mpElements: return u"Elements";
    case mpFileName: return u"FileName";
    case mpSettings: return u"Settings";
    default: return nullptr;
    }
}

} // namespace

TSchemeImages& LogImages()
{
    static TSchemeImages images(TElement_Sign::Size);
    static const bool loaded = images.AddImages(LogImagesResourceName) >= 0;
    (void)loaded;
    return images;
}

TRichTextAttributes* LogTextAttributes()
{
    static TLogAttributesHolder holder;
    return holder.Get();
}

int LogSignImage(int kind)
{
    switch (kind) {
    case mkHint: return 0;
    case mkWarning:
    case mkValueRequired:
    case mkInvalidValue: return 1;
    case mkError: return 2;
    default: return -1;
    }
}

bool ParseElementIds(StringView text, std::vector<int32_t>& ids)
{
    ids.clear();
    size_t start = 0;
    while (true) {
        const size_t comma = text.find(u',', start);
        const StringView item = text.substr(start, comma == StringView::npos ? StringView::npos : comma - start);
        int32_t id = 0;
        if (item.empty() || item.front() == u' ' || item.back() == u' ' || !TryParseInt32(item, id)) {
            ids.clear();
            return false;
        }
        ids.push_back(id);
        if (comma == StringView::npos) return true;
        start = comma + 1;
    }
}

int ReportElementMessages(const TScheme& scheme, TElementMessages& messages)
{
    int added = 0;
    for (TElement* element : scheme.Elements()) {
        TElementMessages* own = element ? element->Messages() : nullptr;
        if (!own || !own->HasKind(FaultMessageKinds)) continue;
        for (int i = 0; i < own->Count(); ++i) {
            const TElementMessage& source = own->GetItems(i);
            auto copy = std::make_unique<TElementMessage>(source.Kind);
            copy->Parts = source.Parts;
            if (messages.Add(std::move(copy))) ++added;
        }
    }
    return added;
}

// ---- TElement_Sign ----

void TElement_Sign::Create()
{
    TVisualElement::Create();
    SetVisualOptions(static_cast<TVisualOptions>(VisualOptions() | voNotCopiedWithText));
    SetBounds(Left(), Top(), Size, Size, 0);
}

void TElement_Sign::SetKind(int kind)
{
    if (kind == kind_) return;
    kind_ = kind;
    Invalidate();
}

void TElement_Sign::Paint(TSheetCanvas& canvas, int paintFlags)
{
    (void)paintFlags;
    const int image = LogSignImage(kind_);
    if (image < 0) return;
    if (const TBitmap32* picture = LogImages().GetImage(image)) {
        canvas.DrawBitmap(0, 0, *picture);
        return;
    }
    canvas.DrawRectangle({0, 0, Size, Size}, image == 0 ? Size : 2, SignColors[image], SignColors[image]);
}

void TElement_Sign::LoadFromKnot(TSchemeFiler* filer, TKnot* knot)
{
    TVisualElement::LoadFromKnot(filer, knot);
    SetKind(knot->ReadInteger(u"Kind", 0));
}

void TElement_Sign::SaveToKnot(TSchemeFiler* filer, TKnot* knot)
{
    TVisualElement::SaveToKnot(filer, knot);
    if (kind_ != 0) knot->WriteInteger(u"Kind", kind_);
}

// ---- TLogRoot ----

void TLogRoot::Create()
{
    TTextorElement::Create();
    SetOptions(LogRootOptions);
    SetTextOptions(LogRootTextOptions);
    documentMessages_.OnAdding = [this](TElementMessages&, TElementMessage& m, bool& accept) { MessageAdding(m, accept); };
    documentMessages_.OnAdd = [this](TElementMessages&, TElementMessage& m) { MessageAdded(m); };
    documentMessages_.OnClear = [this](TElementMessages&) { MessagesCleared(); };
}

TLogRoot::~TLogRoot()
{
    OnChange = nullptr;
    OnShowElements = nullptr;
    OnOpenFile = nullptr;
    documentMessages_.OnAdding = nullptr;
    documentMessages_.OnAdd = nullptr;
    documentMessages_.OnClear = nullptr;
    documentMessages_.Clear();
}

void TLogRoot::GetAcceptedClasses(TElementClassList& list)
{
    list.push_back(&TElement_Sign::Class());
    TTextorElement::GetAcceptedClasses(list);
}

void TLogRoot::GetPadding(TRect& rect)
{
    TSheetCanvas* canvas = Sheet() ? Sheet()->GetCanvas() : nullptr;
    rect = canvas ? canvas->GetThemePadding(steSheet) : TRect {};
}

TTextAttributes* TLogRoot::GetDefaultTextAttributes() { return LogTextAttributes(); }

TTextAttributes* TLogRoot::GetAttributesForKnot(TKnot* node)
{
    for (uint8_t kind : {mpFileName, mpElements, mpSettings}) {
        if (TKnotParam* param = node->FindParam(LinkParamName(kind))) {
            param->SetVisited(true);
            return LinkAttributes(GetDefaultTextAttributes(), String(1, LinkLetter(kind)) + param->Text());
        }
    }
    return TTextorElement::GetAttributesForKnot(node);
}

void TLogRoot::ContentChanged()
{
    TTextorElement::ContentChanged();
    contentChangedFlag_ = true;
}

void TLogRoot::LogChanged()
{
    if (OnChange) OnChange();
}

void TLogRoot::MessageAdding(TElementMessage& message, bool& accept)
{
    if (!settings_) return;
    switch (message.Kind) {
    case mkInformation: accept = settings_->WriteInformation().Value(); break;
    case mkHint: accept = settings_->WriteHints().Value(); break;
    case mkWarning: accept = settings_->WriteWarnings().Value(); break;
    default: break;
    }
}

void TLogRoot::MessageAdded(TElementMessage& message)
{
    TCustomSheet* sheet = Sheet();
    if (sheet) sheet->PlaySheetSound(u"diLogMessageSound");
    TKnot content(ClipboardContentName);
    if (!Text().IsEmpty()) content.AddKnot(BrName);
    if (message.Kind != mkInformation) {
        content.AddKnot(u"Sign")->WriteInteger(u"Kind", message.Kind);
        content.AddKnot(CharsName)->WriteString(ValueName, u" ");
    }
    for (const TElementMessagePart& part : message.Parts) {
        TKnot* chars = content.AddKnot(CharsName);
        chars->WriteString(ValueName, part.Text);
        if (const Char* name = LinkParamName(part.Kind)) chars->WriteString(name, part.Data);
    }

    if (sheet) sheet->BeginUpdate();
    // The log follows new messages when its caret stands at the end; otherwise the
    // selection stays where it is (locations before the end survive an append).
    const bool focused = Interactive() != nullptr;
    bool caretAtEnd = true;
    TTextorLocationRange held;
    bool heldAtStart = false;
    if (focused) {
        held = Interactive()->GetSelectionLocations(heldAtStart);
        const TTextorLocation end = Text().PositionToLocation(Text().GetEnd());
        caretAtEnd = heldAtStart ? (held.StartParagraph == end.ParagraphIndex && held.StartChar == end.CharIndex)
                                 : (held.EndParagraph == end.ParagraphIndex && held.EndChar == end.CharIndex);
    }
    try {
        TSchemeLoader loader(Scheme(), nullptr, &content, 0, smClipboard);
        TTextorRange loaded;
        LoadContent(loader, content, Text().GetEnd(), loaded);
        loader.Finish();
        if (focused) {
            if (caretAtEnd) {
                const TTextorLocation end = Text().PositionToLocation(Text().GetEnd());
                SetSelection({end.ParagraphIndex, end.CharIndex, end.ParagraphIndex, end.CharIndex});
            } else {
                SetSelection(held, heldAtStart);
            }
        }
    } catch (...) {
        if (sheet) sheet->EndUpdate();
        LogChanged();
        throw;
    }
    if (sheet) sheet->EndUpdate();
    LogChanged();
}

void TLogRoot::MessagesCleared()
{
    contentChangedFlag_ = true;
    Text().Clear();
    LogChanged();
}

void TLogRoot::LinkClicked(TPortion* part)
{
    TTextorElement::LinkClicked(part);
    contentChangedFlag_ = false;
    if (!part) return;
    auto* attributes = dynamic_cast<TRichTextAttributes*>(part->GetAttributes());
    if (!attributes || !attributes->IsLink() || attributes->Hyperlink().empty()) return;
    // Kept alive: the handler may clear the log, which frees the run.
    attributes->AddRef();
    const String link = attributes->Hyperlink();
    const String value = link.substr(1);
    switch (link[0]) {
    case u'E': {
        std::vector<int32_t> ids;
        if (ParseElementIds(value, ids) && OnShowElements) OnShowElements(ids);
        break;
    }
    case u'F':
        if (OnOpenFile) OnOpenFile(value);
        break;
    case u'S':
        Service<TBeeper>().Beep();
        break;
    default:
        break;
    }
    if (!contentChangedFlag_ && attributes->Color() != LogVisitedLinkColor) {
        // Find the run again by its place: the part is still in the text when nothing changed.
        TParagraph* paragraph = part->Paragraph();
        int start = 0;
        for (TPortion* p = paragraph->FirstPortion(); p && p != part; p = p->Next()) start += p->Length();
        const int index = paragraph->GetIndex();
        TRichTextAttributes visited;
        visited.Assign(*attributes);
        visited.SetColor(LogVisitedLinkColor);
        auto* registered = static_cast<TTextAttributes*>(TAttributes::GetRegistered(visited));
        bool heldAtStart = false;
        TTextorLocationRange held;
        if (Interactive()) held = Interactive()->GetSelectionLocations(heldAtStart);
        TTextorRange range, result;
        if (Text().LocationsToRange({index, start, index, start + part->Length()}, range)) {
            TTextorUpdate update(Text());
            Text().ApplyAttributes(range, false, registered, result);
        }
        if (Interactive()) SetSelection(held, heldAtStart);
    }
    attributes->Release();
}

void RegisterLogClasses()
{
    static bool done = false;
    if (done) return;
    done = true;
    RegisterElementClass(TElement_Sign::Class());
    RegisterElementClass(TLogRoot::Class());
    LogImages();
}

} // namespace quillora
