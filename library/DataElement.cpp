#include "library/DataElement.h"

#include <algorithm>
#include <map>
#include <unordered_map>

#include "elements/ClassesGroups.h"
#include "elements/SchemeImages.h"
#include "elements/CustomSheet.h"
#include "elements/EditCommands.h"
#include "elements/Filer.h"
#include "elements/Messages.h"
#include "elements/Operations.h"
#include "elements/Scheme.h"
#include "elements/ValueChecks.h"
#include "foundation/Exceptions.h"
#include "foundation/FileStream.h"
#include "foundation/Files.h"
#include "foundation/Knot.h"
#include "foundation/Localization.h"
#include "foundation/SafeReplace.h"
#include "foundation/Service.h"
#include "foundation/StringIds.h"
#include "foundation/Utils.h"
#include "library/DataElementSettings.h"
#include "render/Bitmap32.h"

namespace quillora {

namespace {

// The size of a new icon or cursor, and the size that stands in for an unknown one.
constexpr int SystemIconSize = 32;
// The placeholder of an element without a picture.
constexpr int PlaceholderWidth = 60;
constexpr int PlaceholderHeight = 40;
constexpr uint32_t PlaceholderColor = MakeArgb(0xFF, 160, 160, 164);

std::shared_ptr<const TMemoryStream> EmptyData()
{
    static const auto empty = std::make_shared<const TMemoryStream>();
    return empty;
}

// ---- who owns which temporary file ----

String FoldFileName(const String& name)
{
    String folded;
    folded.reserve(name.size());
    for (Char c : name) {
        if (c == u'/') c = u'\\';
        folded += IsSurrogate(c) ? c : Char(FoldCase(c));
    }
    return folded;
}

// The live data elements by identifier (an exact copy may briefly share one).
std::unordered_map<int32_t, int>& LiveDataElements()
{
    static std::unordered_map<int32_t, int> live;
    return live;
}

void AddLive(int32_t id)
{
    if (id) ++LiveDataElements()[id];
}

void RemoveLive(int32_t id)
{
    auto& live = LiveDataElements();
    auto it = live.find(id);
    if (it != live.end() && --it->second <= 0) live.erase(it);
}

bool IsLive(int32_t id) { return LiveDataElements().count(id) != 0; }

// Every temporary file name handed out or accepted while the program runs, with the
// element that owns it. A name is never handed out twice.
std::map<String, int32_t>& EditingFileOwners()
{
    static std::map<String, int32_t> owners;
    return owners;
}

// Makes `id` the owner of `name`; false when a live other element owns it.
bool ClaimEditingFile(const String& name, int32_t id)
{
    auto& owners = EditingFileOwners();
    const String key = FoldFileName(name);
    auto it = owners.find(key);
    if (it != owners.end() && it->second != id && IsLive(it->second)) return false;
    owners[key] = id;
    return true;
}

TExternalEditorSettings& EditorGroup(TDataElementSettings& settings, int dataType)
{
    switch (dataType) {
    case dtIco: return settings.ExternalEditorIcons();
    case dtCur: return settings.ExternalEditorCursors();
    case dtEmf:
    case dtWmf: return settings.ExternalEditorMetafiles();
    case dtOther: return settings.ExternalEditorOther();
    default: return settings.ExternalEditorBitmaps();
    }
}

constexpr int DefaultActionSystem = 0;
constexpr int DefaultActionCustomEditor = 1;
constexpr int DefaultActionNone = 2;

TFrame PlaceholderFrame()
{
    TFrame frame(PlaceholderWidth, PlaceholderHeight);
    std::fill(frame.Pixels().begin(), frame.Pixels().end(), PlaceholderColor);
    return frame;
}

// Decodes `data` (format by content); false when it is no picture.
bool DecodePicture(const TMemoryStream& data, TFrame& frame)
{
    if (data.Size() == 0) return false;
    TMemoryStream copy(data.Bytes());
    TUniversalImage picture;
    try {
        picture.LoadFromStream(copy);
    } catch (const Exception&) {
        return false;
    }
    TFrame* first = picture.FirstFrame();
    if (!first || first->Empty()) return false;
    frame = std::move(*first);
    return true;
}

void FrameToBitmap(const TFrame& frame, TBitmap32& bitmap)
{
    bitmap.SetSize(frame.Width(), frame.Height());
    for (int y = 0; y < frame.Height(); ++y) std::copy_n(frame.Row(y), frame.Width(), bitmap.ScanLine(y));
}

void BitmapToFrame(const TBitmap32& bitmap, TFrame& frame)
{
    frame.SetSize(bitmap.Width(), bitmap.Height());
    for (int y = 0; y < bitmap.Height(); ++y) std::copy_n(bitmap.ScanLine(y), bitmap.Width(), frame.Row(y));
}

TMemoryStream Compressed(const TMemoryStream& data)
{
    TMemoryStream compressed;
    CompressStream(data, compressed);
    return compressed;
}

TMemoryStream Inflated(const TMemoryStream& compressed)
{
    TMemoryStream data;
    DecompressStream(compressed, data);
    return data;
}

String LowerCaseText(StringView text)
{
    String result;
    for (size_t i = 0; i < text.size();) {
        size_t length = CodePointLength(text, i);
        AppendCodePoint(result, FoldCase(CodePointAt(text, i)));
        i += length;
    }
    return result;
}

// Keeps the scheme's undo group open for the lifetime of the guard.
class TGroup {
public:
    explicit TGroup(TScheme* scheme) : scheme_(scheme)
    {
        if (scheme_) scheme_->BeginGroup(false);
    }
    ~TGroup()
    {
        if (scheme_) scheme_->EndGroup();
    }
    TGroup(const TGroup&) = delete;
    TGroup& operator=(const TGroup&) = delete;

private:
    TScheme* scheme_;
};

} // namespace

// ---- undo units ----

// Captures the element's type and compressed data when first done; undo puts them back.
class TCustomDataChangeOperation : public TElementOperation {
public:
    explicit TCustomDataChangeOperation(TCustomDataElement* element) : TElementOperation(element, false) {}

    void ApplyTo(TElement* element) override
    {
        TElementOperation::ApplyTo(element);
        auto* data = static_cast<TCustomDataElement*>(element);
        if (!captured_) {
            oldType_ = data->Type();
            oldData_ = Compressed(data->Data());
            captured_ = true;
        }
        Change(*data);
    }
    void RevertOn(TElement* element) override
    {
        TElementOperation::RevertOn(element);
        auto* data = static_cast<TCustomDataElement*>(element);
        data->RestoreData(Inflated(oldData_), oldType_);
    }

protected:
    virtual void Change(TCustomDataElement& element) = 0;

private:
    bool captured_ = false;
    String oldType_;
    TMemoryStream oldData_;
};

class TDataNewDataOperation : public TCustomDataChangeOperation {
public:
    // `compressed` empty: the element becomes empty.
    TDataNewDataOperation(TCustomDataElement* element, TMemoryStream compressed, String type)
        : TCustomDataChangeOperation(element), compressed_(std::move(compressed)), type_(std::move(type))
    {
    }

protected:
    void Change(TCustomDataElement& element) override
    {
        element.RestoreData(Inflated(compressed_), compressed_.Size() ? type_ : String());
    }

private:
    TMemoryStream compressed_;
    String type_;
};

class TDataNewDataFormatOperation : public TCustomDataChangeOperation {
public:
    TDataNewDataFormatOperation(TCustomDataElement* element, int target)
        : TCustomDataChangeOperation(element), target_(target)
    {
    }

protected:
    void Change(TCustomDataElement& element) override { element.ConvertFormat(target_); }

private:
    int target_;
};

class TDataExternalEditingModeOperation : public TElementOperation {
public:
    TDataExternalEditingModeOperation(TCustomDataElement* element, String name)
        : TElementOperation(element, false), newName_(std::move(name))
    {
    }

    void ApplyTo(TElement* element) override
    {
        TElementOperation::ApplyTo(element);
        auto* data = static_cast<TCustomDataElement*>(element);
        oldName_ = data->ExternalEditingFileName();
        data->SetExternalEditingFileName(newName_);
    }
    void RevertOn(TElement* element) override
    {
        TElementOperation::RevertOn(element);
        static_cast<TCustomDataElement*>(element)->SetExternalEditingFileName(oldName_);
    }

private:
    String newName_;
    String oldName_;
};

// ---- the element ----

TCustomDataElement::~TCustomDataElement()
{
    BeginDestroy();
    RemoveLive(ID());
}

void TCustomDataElement::Create()
{
    TVisualElement::Create();
    data_ = EmptyData();
    flags_ |= efValue;
    SetVisualOptions(static_cast<TVisualOptions>(VisualOptions() | voPressable | voFocusable | voEditable));
    AddLive(ID());
}

void TCustomDataElement::IDChanged(int32_t oldID)
{
    TVisualElement::IDChanged(oldID);
    RemoveLive(oldID);
    AddLive(ID());
}

TDataElementSettings& TCustomDataElement::Settings()
{
    if (TDataElementSettings* provided = FindService<TDataElementSettings>()) return *provided;
    static TDataElementSettings defaults;
    return defaults;
}

bool TCustomDataElement::HasValue() { return data_->Size() != 0; }

void TCustomDataElement::HasValueChanged()
{
    TVisualElement::HasValueChanged();
    ReportFocusedContent();
    ReportFocusedState();
}

void TCustomDataElement::DropPreview()
{
    preview_.reset();
    previewTried_ = false;
}

void TCustomDataElement::Changed()
{
    DropPreview();
    TVisualElement::Changed();
    ReportFocusedContent();
    UpdateSize();
}

void TCustomDataElement::RestoreData(const TMemoryStream& data, const String& type)
{
    data_ = data.Size() ? std::make_shared<const TMemoryStream>(data.Bytes()) : EmptyData();
    type_ = type;
    storedWidth_ = storedHeight_ = 0;
    Changed();
    UpdateHasValue();
}

void TCustomDataElement::SetData(const TMemoryStream& data, const String& type) { RestoreData(data, type); }

void TCustomDataElement::SetDataUndoable(const TMemoryStream& data, const String& type)
{
    TMemoryStream compressed;
    {
        TBusyCursor busy;
        CompressStream(data, compressed);
    }
    (new TDataNewDataOperation(this, std::move(compressed), type))->Perform();
}

void TCustomDataElement::SetCompressedData(const TMemoryStream& compressed, const String& type)
{
    TMemoryStream data;
    DecompressStream(compressed, data, MaxClipboardDataSize);
    RestoreData(data, type);
}

void TCustomDataElement::SetCompressedDataUndoable(const TMemoryStream& compressed, const String& type)
{
    // Checked first, so that damaged data leaves neither a change nor an undo step.
    TMemoryStream check;
    DecompressStream(compressed, check, MaxClipboardDataSize);
    (new TDataNewDataOperation(this, compressed, type))->Perform();
}

void TCustomDataElement::SetExternalEditingFileName(const String& name)
{
    if (name == externalEditingFileName_) return;
    externalEditingFileName_ = name;
    SetExternalEditing(!name.empty());
    ReportFocusedState();
    ReportFocusedContent();
}

bool TCustomDataElement::OwnsExternalEditingFile(const String& fileName) const
{
    if (fileName.empty()) return false;
    auto& owners = EditingFileOwners();
    auto it = owners.find(FoldFileName(fileName));
    return it != owners.end() && it->second == ID();
}

// ---- preview and size ----

bool TCustomDataElement::GetPreview()
{
    if (HasValue() && !previewTried_) {
        previewTried_ = true;
        TFrame frame;
        if (DataType() != dtOther && DecodePicture(*data_, frame)) {
            naturalWidth_ = frame.Width();
            naturalHeight_ = frame.Height();
            previewScale_ = PreviewScaleFor(naturalWidth_);
            auto full = std::make_unique<TBitmap32>();
            FrameToBitmap(frame, *full);
            frame = TFrame();
            if (previewScale_ == 100) {
                full->SetDrawMode(dmBlend);
                preview_ = std::move(full);
            } else {
                const TPictureSize size = ScaledPreviewSize(naturalWidth_, naturalHeight_, previewScale_);
                auto reduced = std::make_unique<TBitmap32>(size.Width, size.Height);
                reduced->Clear(0xFFFFFFFFu);
                full->SetDrawMode(dmBlend);
                reduced->Draw(reduced->BoundsRect(), full->BoundsRect(), *full);
                preview_ = std::move(reduced);
            }
        }
    }
    return preview_ != nullptr;
}

const TBitmap32* TCustomDataElement::Preview() { return GetPreview() ? preview_.get() : nullptr; }

bool TCustomDataElement::GetImageSize(int& width, int& height)
{
    width = height = 0;
    bool real = false;
    if (HasState(esLoaded) && storedWidth_ > 0 && storedHeight_ > 0) {
        width = storedWidth_;
        height = storedHeight_;
        real = true;
    } else if (GetPreview()) {
        width = naturalWidth_;
        height = naturalHeight_;
        real = true;
    } else if (HasValue()) {
        TPictureSize size;
        if (ReadDataImageSize(DataType(), data_->Data(), data_->Size(), size)) {
            width = size.Width;
            height = size.Height;
            real = true;
        }
    }
    const bool icon = DataType() == dtIco || DataType() == dtCur;
    if (width <= 0) width = icon ? SystemIconSize : 100;
    if (height <= 0) height = icon ? SystemIconSize : 100;
    return real;
}

void TCustomDataElement::UpdateSize()
{
    if (!Sheet() || !IsVisible()) return;
    TSheetCanvas* canvas = Sheet()->GetCanvas();
    int width = PlaceholderWidth, height = PlaceholderHeight;
    if (GetPreview()) {
        width = preview_->Width();
        height = preview_->Height();
    } else if (HasValue()) {
        if (!canvas) return;
        width = canvas->FixedTextWidth(String(64, u'0'));
        const int64_t lines = int64_t(HexDumpLineCount(data_->Size()));
        height = int(std::min<int64_t>(lines * canvas->GetFixedLineHeight(), INT32_MAX / 2));
    }
    TRect padding;
    GetPadding(padding);
    SetBounds(Left(), Top(), width + padding.Left + padding.Right, height + padding.Top + padding.Bottom);
}

void TCustomDataElement::Paint(TSheetCanvas& canvas, int paintFlags)
{
    TRect padding;
    GetPadding(padding);
    if (GetPreview()) {
        canvas.DrawBitmap(padding.Left, padding.Top, *preview_);
        return;
    }
    if (!HasValue()) return;
    const int lineHeight = std::max(1, canvas.GetFixedLineHeight());
    const TRect clip = canvas.GetClipRect();
    const size_t count = HexDumpLineCount(data_->Size());
    int64_t first = std::max<int64_t>(0, (int64_t(clip.Top) - padding.Top) / lineHeight);
    for (size_t line = size_t(first); line < count; ++line) {
        const int64_t y = padding.Top + int64_t(line) * lineHeight;
        if (y >= clip.Bottom) break;
        canvas.DrawFixedText(padding.Left, int(y), clNone, HexDumpLine(data_->Data(), data_->Size(), line));
    }
}

// ---- element operations ----

void TCustomDataElement::CheckValue()
{
    TVisualElement::CheckValue();
    if (!(allowedTypes_ & DataTypeBit(DataType())))
        AddElementMessage(GetMessages(), mkInvalidValue, sidInvalidDataType, ID());
    if (InExternalEditing()) AddElementMessage(GetMessages(), mkInvalidValue, sidExternalEditingMode, ID());
}

void TCustomDataElement::ExternalEditingChanged()
{
    TVisualElement::ExternalEditingChanged();
    Recheck();
}

void TCustomDataElement::FocusChanged()
{
    TVisualElement::FocusChanged();
    Invalidate();
}

void TCustomDataElement::BoundsChanged(const TRect& oldRect, int oldDescent)
{
    TVisualElement::BoundsChanged(oldRect, oldDescent);
    if (Sheet() && IsFocused() && (oldRect.Width() != Width() || oldRect.Height() != Height()))
        Sheet()->UpdateCaret();
}

void TCustomDataElement::VisibleChanged()
{
    TVisualElement::VisibleChanged();
    UpdateSize();
}

void TCustomDataElement::UpdateLayout(bool attached, bool styleChanged, bool widthChanged, bool heightChanged)
{
    TVisualElement::UpdateLayout(attached, styleChanged, widthChanged, heightChanged);
    if (attached || styleChanged) {
        UpdateSize();
        ReportFocusedContent();
    }
}

bool TCustomDataElement::CanDelete() { return HasValue() && !InExternalEditing() && !IsReadOnly(); }
bool TCustomDataElement::CanCopy() { return HasValue(); }
bool TCustomDataElement::CanPaste() { return TVisualElement::CanPaste() && !InExternalEditing(); }

void TCustomDataElement::Delete() { (new TDataNewDataOperation(this, TMemoryStream(), String()))->Perform(); }

void TCustomDataElement::Copy()
{
    TMemoryStream compressed;
    {
        TBusyCursor busy;
        CompressStream(*data_, compressed);
    }
    TFrame picture;
    bool hasPicture = false;
    if (GetPreview()) {
        if (previewScale_ == 100) {
            BitmapToFrame(*preview_, picture);
            hasPicture = true;
        } else {
            hasPicture = DecodePicture(*data_, picture);
        }
    }
    Service<TDataClipboard>().Put(compressed, type_, hasPicture ? &picture : nullptr);
}

bool TCustomDataElement::Paste() { return PasteData(true); }

bool TCustomDataElement::CanPasteData() { return Service<TDataClipboard>().CanPaste(); }

bool TCustomDataElement::PasteData(bool undoable)
{
    TDataClipboard& clipboard = Service<TDataClipboard>();
    std::vector<uint8_t> typeBlock, dataBlock;
    bool hasData = false;
    if (clipboard.GetPrivateBlocks(typeBlock, dataBlock, hasData)) {
        const String type = ParseClipboardType(typeBlock.data(), typeBlock.size());
        if (!hasData) return true;
        // Inflated apart first: damaged or oversized data changes nothing.
        TMemoryStream data;
        {
            TBusyCursor busy;
            if (!InflateClipboardData(dataBlock.data(), dataBlock.size(), data)) return false;
        }
        if (undoable) {
            (new TDataNewDataOperation(this, TMemoryStream(std::move(dataBlock)), type))->Perform();
        } else {
            RestoreData(data, type);
        }
        return true;
    }
    TMemoryStream picture;
    int dataType = dtOther;
    if (!clipboard.GetPicture(allowedTypes_, picture, dataType)) return false;
    if (dataType == dtBmp && (allowedTypes_ & DataTypeBit(dtPng))) {
        TMemoryStream png;
        picture.SetPosition(0);
        Service<TPlatformDecoder>().Convert(picture, pePng, png);
        picture = std::move(png);
        dataType = dtPng;
    }
    const String type(DataTypeExtension(dataType));
    if (undoable) SetDataUndoable(picture, type);
    else SetData(picture, type);
    return true;
}

bool TCustomDataElement::TakesFile(const String& fileName)
{
    return IsKnownDataFile(fileName) && (allowedTypes_ & DataTypeBit(DataTypeOf(GetExtension(fileName))));
}

bool TCustomDataElement::DropFiles(const std::vector<String>& fileNames)
{
    // Loading is refused while the data is edited in another program (Apply would drop
    // what was loaded) and in a read-only document.
    if (IsReadOnly() || InExternalEditing()) return false;
    for (const String& name : fileNames)
        if (IsKnownDataFile(name)) {
            LoadFromFile(name, true);
            return true;
        }
    return false;
}

void TCustomDataElement::GetHint(String& text)
{
    TVisualElement::GetHint(text);
    if (!HasValue()) return;
    if (!text.empty()) text += u"\r\n";
    int width, height;
    if (GetImageSize(width, height)) {
        text += type_ + u" " + IntToString(width) + u"x" + IntToString(height);
        if (previewScale_ != 100 && preview_) text += u" " + IntToString(previewScale_) + u"%";
    } else {
        text += type_;
    }
}

void TCustomDataElement::KeyDown(TKeyEvent& event)
{
    if (event.Key == kcReturn) {
        if (EditDefault()) event.Consume();
        return;
    }
    TVisualElement::KeyDown(event);
}

void TCustomDataElement::KeyPress(TKeyEvent& event)
{
    if (event.Ch == u'\r') {
        event.Consume();
        return;
    }
    TVisualElement::KeyPress(event);
}

void TCustomDataElement::DblClick()
{
    if (!EditDefault())
        if (TBeeper* beeper = FindService<TBeeper>()) beeper->Beep();
}

// ---- persistence ----

namespace {

// The streams that in-process transfers refer to, by number.
std::map<int32_t, std::weak_ptr<const TMemoryStream>>& TransferStreams()
{
    static std::map<int32_t, std::weak_ptr<const TMemoryStream>> streams;
    return streams;
}

int32_t RegisterTransferStream(const std::shared_ptr<const TMemoryStream>& stream)
{
    static int32_t next = 0;
    auto& streams = TransferStreams();
    for (auto it = streams.begin(); it != streams.end();) it = it->second.expired() ? streams.erase(it) : ++it;
    if (++next <= 0) next = 1;
    streams[next] = stream;
    return next;
}

} // namespace

void TCustomDataElement::SaveToKnot(TSchemeFiler* filer, TKnot* knot)
{
    TVisualElement::SaveToKnot(filer, knot);
    if (HasValue()) knot->WriteString(u"Type", type_);
    const bool clipboard = filer && (filer->Mode() == smClipboard || filer->HasOption(soClipboard));
    if (filer && filer->HasOption(soInProcess)) {
        if (HasValue()) knot->WriteInteger(u"Value", RegisterTransferStream(data_));
        knot->WriteInteger(u"W", naturalWidth_);
        knot->WriteInteger(u"H", naturalHeight_);
    } else if (HasValue()) {
        TBusyCursor busy;
        if (filer && filer->HasOption(soStreamRefs)) {
            knot->WriteStreamRef(u"Value", const_cast<TMemoryStream*>(data_.get()));
        } else {
            knot->WriteStream(u"Value", *data_);
        }
    }
    // A copy on the clipboard is a new element: the temporary file stays with this one.
    if (InExternalEditing() && !clipboard) knot->WriteString(u"ExternalEditingFileName", externalEditingFileName_);
}

void TCustomDataElement::LoadFromKnot(TSchemeFiler* filer, TKnot* knot)
{
    TVisualElement::LoadFromKnot(filer, knot);
    TSchemeLoader* loader = AsLoader(filer);
    TElementMessages* loadMessages = loader ? loader->LoaderMessages() : nullptr;
    bool readError = false;
    if (filer && filer->HasOption(soInProcess)) {
        const int32_t handle = knot->ReadInteger(u"Value", 0);
        auto& streams = TransferStreams();
        auto it = streams.find(handle);
        std::shared_ptr<const TMemoryStream> shared = it != streams.end() ? it->second.lock() : nullptr;
        data_ = shared ? shared : EmptyData();
        readError = handle != 0 && !shared;
        storedWidth_ = knot->ReadInteger(u"W", 0);
        storedHeight_ = knot->ReadInteger(u"H", 0);
    } else {
        TBusyCursor busy;
        auto stream = std::make_shared<TMemoryStream>();
        if (knot->ReadStream(u"Value", *stream)) {
            data_ = stream->Size() ? std::shared_ptr<const TMemoryStream>(std::move(stream)) : EmptyData();
        } else {
            data_ = EmptyData();
            readError = true;
        }
    }
    if (readError && loadMessages) AddElementMessage(*loadMessages, mkWarning, sidDataReadError, ID());
    type_ = knot->ReadString(u"Type");
    Changed();

    String name = knot->ReadString(u"ExternalEditingFileName");
    const bool clipboard = filer && (filer->Mode() == smClipboard || filer->HasOption(soClipboard));
    if (!name.empty()) {
        bool accepted = false;
        if (clipboard) {
            // Copies never share the original's temporary file.
        } else if (filer && filer->IsExactCopy()) {
            accepted = ClaimEditingFile(name, ID());
        } else {
            const String documentFolder = Scheme() ? ExtractFilePath(Scheme()->FileName()) : String();
            accepted = IsExternalEditingFileName(name, documentFolder, GetTempFolder()) &&
                       !IsExecutableDataType(GetExtension(name)) && ClaimEditingFile(name, ID());
            if (!accepted && loadMessages)
                AddElementMessage(*loadMessages, mkWarning, sidUntrustedEditingFile, ID(), {name});
        }
        if (!accepted) name.clear();
    }
    SetExternalEditingFileName(name);
    UpdateHasValue();
}

// ---- files ----

void TCustomDataElement::LoadFromFile(const String& fileName, bool undoable)
{
    std::string bytes = ReadWholeFile(fileName); // "File not found: %1" for a missing file
    TMemoryStream data(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    bytes.clear();
    bytes.shrink_to_fit();
    const String type = LowerCaseText(GetExtension(fileName));
    if (undoable) SetDataUndoable(data, type);
    else SetData(data, type);
}

void TCustomDataElement::SaveToFile(const String& fileName)
{
    WriteWholeFile(fileName, std::string_view(reinterpret_cast<const char*>(data_->Data()), data_->Size()));
}

String TDataFileDialogs::FilterText(const std::vector<TFilter>& filters)
{
    String text;
    for (const TFilter& filter : filters) {
        if (filter.Masks.empty()) continue;
        // A "|" would end the entry early: no name or mask holds one.
        String name = filter.Name, masks = filter.Masks;
        std::replace(name.begin(), name.end(), u'|', u' ');
        std::replace(masks.begin(), masks.end(), u'|', u';');
        if (!text.empty()) text += u'|';
        text += (name.empty() ? masks : name + u" (" + masks + u")") + u"|" + masks;
    }
    return text;
}

std::vector<TDataFileDialogs::TFilter> TCustomDataElement::OpenDialogFilters() const
{
    std::vector<TDataFileDialogs::TFilter> named;
    String allMasks;
    for (int dt = 1; dt < DataTypeCount; ++dt) {
        if (!(allowedTypes_ & DataTypeBit(dt))) continue;
        const String mask = u"*." + String(DataTypeExtension(dt));
        allMasks += (allMasks.empty() ? u"" : u";") + mask;
        auto it = std::find_if(named.begin(), named.end(), [dt](auto& f) { return f.Name == DataTypeName(dt); });
        if (it != named.end()) it->Masks += u";" + mask;
        else named.push_back({String(DataTypeName(dt)), mask});
    }
    std::vector<TDataFileDialogs::TFilter> filters;
    const bool picture = (dataOptions_ & doPicture) != 0;
    if (!picture) filters.push_back({u"All Files", u"*.*"});
    if (named.size() > 1) filters.push_back({u"All Images", allMasks});
    filters.insert(filters.end(), named.begin(), named.end());
    if (picture) filters.push_back({u"All Files", u"*.*"});
    return filters;
}

void TCustomDataElement::LoadFromFileDialog()
{
    TDataFileDialogs* dialogs = FindService<TDataFileDialogs>();
    if (!dialogs) return;
    String fileName;
    if (!dialogs->Open(OpenDialogFilters(), (dataOptions_ & doPicture) == 0, fileName)) return;
    TBusyCursor busy;
    LoadFromFile(fileName, true);
}

void TCustomDataElement::SaveToFileDialog()
{
    TDataFileDialogs* dialogs = FindService<TDataFileDialogs>();
    if (!dialogs) return;
    std::vector<TDataFileDialogs::TFilter> filters;
    const int dt = DataType();
    if (dt != dtOther) filters.push_back({String(DataTypeName(dt)), u"*." + type_});
    else if (!type_.empty()) filters.push_back({type_, u"*." + type_});
    String fileName;
    if (dialogs->Save(filters, type_, fileName)) SaveToFile(fileName);
}

// ---- format ----

void TCustomDataElement::SetFormat(int dataType)
{
    const bool lossy = (dataType >= 2 && dataType <= 10) || dataType == 12 || dataType == 13;
    if (HasValue() && lossy && dataType != DataType()) ShowMessageBox(LoadString(sidFormatLossWarning));
    (new TDataNewDataFormatOperation(this, dataType))->Perform();
}

void TCustomDataElement::ConvertFormat(int target)
{
    TBusyCursor busy;
    TFrame source;
    if (!(HasValue() && DecodePicture(*data_, source))) source = PlaceholderFrame();
    const int current = DataType();
    if (HasValue() && (current == dtIco || current == dtCur || current == dtTga))
        for (uint32_t& pixel : source.Pixels()) {
            const uint32_t a = pixel >> 24;
            auto mix = [a](uint32_t c) { return (c * a + 255 * (255 - a) + 127) / 255; };
            pixel = 0xFF000000u | (mix((pixel >> 16) & 0xFF) << 16) | (mix((pixel >> 8) & 0xFF) << 8) |
                    mix(pixel & 0xFF);
        }
    TMemoryStream result;
    switch (target) {
    case dtIco:
    case dtCur: result = MakeIconFile(source, SystemIconSize, target == dtCur); break;
    case dtBmp: Service<TPlatformDecoder>().Encode(source, peBmp, result); break;
    case dtJpeg:
    case dtJpg:
    case dtJpe:
    case dtJfif: Service<TPlatformDecoder>().Encode(source, peJpeg, result); break;
    case dtGif: Service<TPlatformDecoder>().Encode(source, peGif, result); break;
    case dtPng: Service<TPlatformDecoder>().Encode(source, pePng, result); break;
    case dtTif:
    case dtTiff: Service<TPlatformDecoder>().Encode(source, peTiff, result); break;
    default: throw Exception(u"Cannot convert the data to this format");
    }
    RestoreData(result, String(DataTypeExtension(target)));
}

// ---- external editing ----

TExternalEditorSettings* TCustomDataElement::DecidingEditorSettings()
{
    if (HasValue()) return &EditorGroup(Settings(), DataType());
    if (allowedTypes_ & DataTypeBit(dtPng)) return &Settings().ExternalEditorBitmaps();
    return nullptr;
}

bool TCustomDataElement::EditDefault()
{
    if (IsReadOnly()) return false;
    TExternalEditorSettings* group = DecidingEditorSettings();
    if (!group) {
        LoadFromFileDialog();
        return true;
    }
    if (group->DefaultAction().Value() == DefaultActionNone) return false;
    StartExternalEditing({}, false);
    return true;
}

String TCustomDataElement::TemporaryFolder() const
{
    if (Scheme() && !Scheme()->FileName().empty()) return ExtractFilePath(Scheme()->FileName());
    return GetTempFolder();
}

void TCustomDataElement::StartExternalEditing(const String& program, bool openWithDialog)
{
    TGroup group(Scheme());
    if (!HasValue()) SetFormat(dtPng);
    if (InExternalEditing()) {
        // A file of this element's that is gone (an undone Apply or Cancel deleted it)
        // is written again before it is opened.
        if (OwnsExternalEditingFile(externalEditingFileName_) && !FileExists(externalEditingFileName_))
            if (auto file = TFileStream::CreateNew(externalEditingFileName_)) file->Write(*data_);
        Launch(externalEditingFileName_, program, openWithDialog);
        return;
    }
    const String extension = TemporaryFileExtension(type_);
    // Refused before any file is written.
    if (IsExecutableDataType(extension) &&
        (openWithDialog || !program.empty() ||
         EditorGroup(Settings(), DataType()).DefaultAction().Value() != DefaultActionCustomEditor))
        throw Exception(FormatString(sidUnsafeDataType, {SanitizeMessageArgument(extension)}));
    const String folder = IncludeTrailingPathDelimiter(TemporaryFolder());
    String fileName;
    std::unique_ptr<TFileStream> file;
    for (int n = 1; n < INT32_MAX && !file; ++n) {
        String name = folder + FormatFileNumber(String(ExternalEditingFilePattern), n);
        if (!extension.empty()) name += u"." + extension;
        if (EditingFileOwners().count(FoldFileName(name))) continue; // handed out before
        if (FileExists(name)) continue;
        file = TFileStream::CreateNew(name);
        if (file) fileName = name;
    }
    if (!file) throw Exception(u"Cannot create a temporary file in \"" + folder + u"\"");
    ClaimEditingFile(fileName, ID());
    try {
        file->Write(*data_);
        file.reset();
        Launch(fileName, program, openWithDialog);
    } catch (...) {
        file.reset();
        RemoveFile(fileName);
        throw;
    }
    (new TDataExternalEditingModeOperation(this, fileName))->Perform();
}

void TCustomDataElement::Launch(const String& fileName, const String& program, bool openWithDialog)
{
    TShellService& shell = Service<TShellService>();
    const String quoted = u"\"" + fileName + u"\"";
    const bool unsafe = IsExecutableDataType(GetExtension(fileName));
    auto refuse = [&]() {
        throw Exception(FormatString(sidUnsafeDataType, {SanitizeMessageArgument(GetExtension(fileName))}));
    };
    if (openWithDialog) {
        if (unsafe) refuse();
        const String parameters = u"shell32,OpenAs_RunDLL " + fileName;
        if (shell.Execute(u"edit", u"rundll32.exe", parameters, swShowNormal) <= 32)
            shell.Execute({}, u"rundll32.exe", parameters, swShowNormal);
        return;
    }
    if (!program.empty()) {
        if (unsafe) refuse();
        if (shell.Execute(u"edit", program, quoted, swShowNormal) <= 32) ShellOpen(program, quoted);
        return;
    }
    TExternalEditorSettings& group = EditorGroup(Settings(), DataTypeOf(GetExtension(fileName)));
    if (group.DefaultAction().Value() == DefaultActionCustomEditor) {
        const String editor = group.CustomEditor().Value();
        if (editor.empty() || !FileExists(editor)) throw Exception(FormatString(sidEditorNotFound, {editor}));
        if (shell.Execute(u"edit", editor, quoted, swShowNormal) <= 32) ShellOpen(editor, quoted);
        return;
    }
    if (unsafe) refuse();
    if (shell.Execute(u"edit", fileName, {}, swShowNormal) <= 32) ShellOpen(fileName);
}

void TCustomDataElement::ApplyExternalEditing()
{
    if (!InExternalEditing()) return;
    const String fileName = externalEditingFileName_;
    TGroup group(Scheme());
    if (OwnsExternalEditingFile(fileName)) {
        LoadFromFile(fileName, true);
        RemoveFile(fileName);
    }
    (new TDataExternalEditingModeOperation(this, String()))->Perform();
}

void TCustomDataElement::CancelExternalEditing()
{
    if (!InExternalEditing()) return;
    const String fileName = externalEditingFileName_;
    TGroup group(Scheme());
    if (OwnsExternalEditingFile(fileName)) RemoveFile(fileName);
    (new TDataExternalEditingModeOperation(this, String()))->Perform();
}

void TCustomDataElement::GetEditSubItems(std::vector<String>& captions, std::vector<String>& values)
{
    String extension = type_;
    if (extension.empty() && (allowedTypes_ & DataTypeBit(dtPng))) extension = u"png";
    if (!extension.empty() && !IsExecutableDataType(extension)) {
        std::vector<String> paths, names;
        int defaultIndex = -1;
        if (TOpenWithPrograms* programs = FindService<TOpenWithPrograms>())
            programs->Build(extension, {u"edit", u"open", u"view"}, paths, names, defaultIndex);
        for (size_t i = 0; i < paths.size() && i < names.size(); ++i) {
            captions.push_back(names[i]);
            values.push_back(paths[i]);
        }
        if (!paths.empty()) {
            captions.push_back(u"-");
            values.push_back({});
        }
    }
    captions.push_back(LoadString(sidOpenWith));
    values.push_back({});
}

// ---- palette ----

namespace {

// Palette strings without a name in the string table.
constexpr int sidDataEditGroup = 2780;
constexpr int sidDataEditCaption = 2781;
constexpr int sidDataEditHint = 2782;
constexpr int sidDataApplyCaption = 2784;
constexpr int sidDataApplyHint = 2785;
constexpr int sidDataCancelCaption = 2786;
constexpr int sidDataCancelHint = 2787;
constexpr int sidDataFormatGroup = 2788;
constexpr int sidDataLoadCaption = 2801;
constexpr int sidDataLoadHint = 2802;
constexpr int sidDataSaveCaption = 2803;
constexpr int sidDataSaveHint = 2804;

TPaletteItem* dataPaletteItems[dpcCount] = {};

// The format command's type and the current type are the same format (JPEG has four).
bool SameFormat(int a, int b)
{
    auto family = [](int t) { return (t >= dtJpeg && t <= dtJfif) ? dtJpeg : (t == dtTiff ? dtTif : t); };
    return family(a) == family(b);
}

const TDataPaletteCommand* CommandOf(TPaletteItem* item)
{
    if (!item) return nullptr;
    for (const TDataPaletteCommand& command : DataPaletteCommands())
        if (dataPaletteItems[command.Kind] == item) return &command;
    return nullptr;
}

} // namespace

const std::vector<TDataPaletteGroup>& DataPaletteGroups()
{
    static const std::vector<TDataPaletteGroup> groups = {{sidDataEditGroup, 1500}, {sidDataFormatGroup, 100}};
    return groups;
}

const std::vector<TDataPaletteCommand>& DataPaletteCommands()
{
    static const std::vector<TDataPaletteCommand> commands = {
        {dpcEdit, sidDataEditCaption, sidDataEditHint, sidDataEditGroup, 0x6152, 100, 0, 0},
        {dpcApply, sidDataApplyCaption, sidDataApplyHint, sidDataEditGroup, 0x0142, 60, 1, 0},
        {dpcCancel, sidDataCancelCaption, sidDataCancelHint, sidDataEditGroup, 0x0142, 30, 2, 0},
        {dpcPng, 2792, 2795, sidDataFormatGroup, 0x0540, 90, 3, dtPng},
        {dpcJpeg, 2794, 2796, sidDataFormatGroup, 0x0540, 85, 3, dtJpg},
        {dpcGif, 2793, 2797, sidDataFormatGroup, 0x0540, 82, 3, dtGif},
        {dpcBmp, 2789, 2798, sidDataFormatGroup, 0x0540, 80, 3, dtBmp},
        {dpcIco, 2790, 2799, sidDataFormatGroup, 0x0540, 70, 3, dtIco},
        {dpcCur, 2791, 2800, sidDataFormatGroup, 0x0540, 60, 3, dtCur},
        {dpcLoadFromFile, sidDataLoadCaption, sidDataLoadHint, pgActions, 0x0152, 40, 4, 0},
        {dpcSaveToFile, sidDataSaveCaption, sidDataSaveHint, pgActions, 0x0112, 30, 5, 0},
    };
    return commands;
}

void SetDataPaletteItem(TDataPaletteCommandKind kind, TPaletteItem* item)
{
    if (kind < dpcCount) dataPaletteItems[kind] = item;
}

TPaletteItem* GetDataPaletteItem(TDataPaletteCommandKind kind) { return kind < dpcCount ? dataPaletteItems[kind] : nullptr; }

void TDataEditPaletteItem::UpdateSubItems(TCustomDataElement& element)
{
    std::vector<String> captions, values;
    element.GetEditSubItems(captions, values);
    SubItems.clear();
    for (size_t i = 0; i < captions.size() && i < values.size(); ++i) {
        if (captions[i] == u"-") continue;
        SubItems.push_back({captions[i], values[i].empty() ? String(OpenWithDialogValue) : values[i]});
    }
}

void TCustomDataElement::GetPaletteItems(TPaletteItemList& list)
{
    TVisualElement::GetPaletteItems(list);
    for (const TDataPaletteCommand& command : DataPaletteCommands()) {
        TPaletteItem* item = dataPaletteItems[command.Kind];
        if (!item) continue;
        // Only the formats the element allows are offered.
        if (command.DataType && !(allowedTypes_ & DataTypeBit(command.DataType))) continue;
        if (auto* edit = dynamic_cast<TDataEditPaletteItem*>(item)) edit->UpdateSubItems(*this);
        list.push_back(item);
    }
}

void TCustomDataElement::GetPaletteItemState(TPaletteItem* item, TPaletteItemState& state)
{
    const TDataPaletteCommand* command = CommandOf(item);
    if (!command) {
        TVisualElement::GetPaletteItemState(item, state);
        return;
    }
    const bool editing = InExternalEditing();
    switch (command->Kind) {
    case dpcEdit: state.Enabled = !IsReadOnly(); break;
    case dpcApply:
    case dpcCancel: state.Enabled = editing; break;
    case dpcLoadFromFile: state.Enabled = !editing && !IsReadOnly(); break;
    case dpcSaveToFile: state.Enabled = HasValue(); break;
    default:
        state.Enabled = !editing && !IsReadOnly();
        state.Checked = HasValue() && SameFormat(command->DataType, DataType());
        break;
    }
}

bool TCustomDataElement::ExecutePaletteItem(TVisualElement* target, TPaletteItem* item, bool checked)
{
    const TDataPaletteCommand* command = CommandOf(item);
    if (!command) return TVisualElement::ExecutePaletteItem(target, item, checked);
    TPaletteItemState state;
    GetPaletteItemState(item, state);
    if (!state.Enabled) return false;
    switch (command->Kind) {
    case dpcEdit:
        // Without a default editor the user picks the program.
        if (!EditDefault()) StartExternalEditing({}, true);
        break;
    case dpcApply: ApplyExternalEditing(); break;
    case dpcCancel: CancelExternalEditing(); break;
    case dpcLoadFromFile: LoadFromFileDialog(); break;
    case dpcSaveToFile: SaveToFileDialog(); break;
    default:
        if (!(HasValue() && SameFormat(command->DataType, DataType()))) SetFormat(command->DataType);
        break;
    }
    return true;
}

bool TCustomDataElement::ExecutePaletteSubItem(TVisualElement* target, TPaletteItem* item, const String& value)
{
    const TDataPaletteCommand* command = CommandOf(item);
    if (!command || command->Kind != dpcEdit) return TVisualElement::ExecutePaletteSubItem(target, item, value);
    if (IsReadOnly()) return false;
    if (value == TDataEditPaletteItem::OpenWithDialogValue) {
        StartExternalEditing({}, true);
        return true;
    }
    // Only a program the list offers for the element's type is run.
    std::vector<String> captions, values;
    GetEditSubItems(captions, values);
    if (std::find(values.begin(), values.end(), value) == values.end()) return false;
    StartExternalEditing(value, false);
    return true;
}

// ---- the image element ----

void TElement_Image::Create()
{
    TCustomDataElement::Create();
    SetVisualOptions(static_cast<TVisualOptions>(VisualOptions() | voCanDisable));
    dataOptions_ = doPicture;
}

void TElement_Image::Paint(TSheetCanvas& canvas, int paintFlags)
{
    if (!HasValue()) canvas.DrawThemeFrame(steFrameDot, GetLocalRect());
    TCustomDataElement::Paint(canvas, paintFlags);
}

void InitializeDataElements()
{
    static bool initialized = false;
    if (initialized) return;
    initialized = true;
    DataLargeImageBase = SchemeLargeImages().AddImages(u"diDataElementLargeImages");
    DataSmallImageBase = SchemeSmallImages().AddImages(u"diDataElementSmallImages");
    RegisterElementClass(TElement_Image::Class());
    AddClass(ClassesGroups().GetGroups(cgCommentContent), &TElement_Image::Class());
}

int DataLargeImageBase = -1;
int DataSmallImageBase = -1;

} // namespace quillora
