#include "foundation/Knot.h"

#include <algorithm>
#include <typeinfo>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "foundation/Files.h"
#include "foundation/KnotReader.h"
#include "foundation/NumberParse.h"

namespace quillora {

namespace {

// Visits `root` and its descendants in pre-order without recursion. `visit` returns
// whether the walk enters the children of the node it was given.
template <class Node, class Visit>
void WalkSubtree(Node* root, Visit visit)
{
    Node* n = root;
    for (;;) {
        if (visit(n) && n->FirstChild()) {
            n = static_cast<Node*>(n->FirstChild());
            continue;
        }
        while (n != root && !n->NextSibling()) n = static_cast<Node*>(n->Parent());
        if (n == root) return;
        n = static_cast<Node*>(n->NextSibling());
    }
}

void CopyParams(TKnot& target, const TKnot& source);

} // namespace

// ---- TKnotParam ----

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

String TKnotParam::TextForm() const
{
    switch (kind_) {
    case pkText:
        return text_;
    case pkStream:
    case pkStreamRef: {
        static constexpr char16_t digits[] = u"0123456789ABCDEF";
        String out;
        if (!stream_) return out;
        out.resize(stream_->Size() * 2);
        const uint8_t* bytes = stream_->Data();
        for (size_t i = 0; i < stream_->Size(); ++i) {
            out[2 * i] = digits[bytes[i] >> 4];
            out[2 * i + 1] = digits[bytes[i] & 0x0F];
        }
        return out;
    }
    case pkNone:
        break;
    }
    return {};
}

String TKnotParam::GetPath() const { return owner_->GetPath() + u"." + name_; }

// ---- TKnot: tree ----

TKnot::TKnot(String name) : name_(std::move(name)) {}

TKnot::~TKnot()
{
    ClearParams();
    SetParent(nullptr, nullptr);
    // Free the subtree leaf by leaf, so that no destructor recurses.
    TNode* n = this;
    for (;;) {
        while (n->LastChild()) n = n->LastChild();
        if (n == this) break;
        TNode* up = n->Parent();
        delete n;
        n = up;
    }
}

void TKnot::ParentChanged()
{
    TNode* parent = Parent();
    if (!parent) return;
    // Parents are knots; the exact type test spares the general cast in the common case.
    auto* knot = typeid(*parent) == typeid(TKnot) ? static_cast<TKnot*>(parent) : dynamic_cast<TKnot*>(parent);
    if (knot) SetOptions(knot->inheritedOptions_);
}

TKnot* TKnot::AddKnot(StringView name)
{
    auto* knot = new TKnot(String(name));
    knot->SetParent(this, nullptr);
    return knot;
}

TKnot* TKnot::FindKnot(StringView name, TKnot* after)
{
    TNode* n = after ? after->NextSibling() : FirstChild();
    for (; n; n = n->NextSibling()) {
        auto* knot = static_cast<TKnot*>(n);
        if (knot->name_ == name) {
            knot->visited_ = true;
            return knot;
        }
    }
    return nullptr;
}

TKnot* TKnot::GetKnot(StringView name)
{
    if (TKnot* knot = FindKnot(name)) return knot;
    TKnot* knot = AddKnot(name);
    knot->visited_ = true;
    return knot;
}

TKnot* TKnot::GetKnotByPath(StringView path, bool create)
{
    TKnot* knot = this;
    for (;;) {
        size_t dot = path.find(u'.');
        StringView step = path.substr(0, dot);
        knot = create ? knot->GetKnot(step) : knot->FindKnot(step);
        if (!knot || dot == StringView::npos) return knot;
        path.remove_prefix(dot + 1);
    }
}

TKnot* TKnot::FirstKnot()
{
    auto* knot = static_cast<TKnot*>(FirstChild());
    if (knot) knot->visited_ = true;
    return knot;
}

TKnot* TKnot::LastKnot()
{
    auto* knot = static_cast<TKnot*>(LastChild());
    if (knot) knot->visited_ = true;
    return knot;
}

TKnot* TKnot::NextKnot()
{
    auto* knot = static_cast<TKnot*>(NextSibling());
    if (knot) knot->visited_ = true;
    return knot;
}

TKnot* TKnot::ParentKnot()
{
    auto* knot = dynamic_cast<TKnot*>(Parent());
    if (knot) knot->visited_ = true;
    return knot;
}

namespace {
void CopyParams(TKnot& target, const TKnot& source)
{
    for (const TKnotParam* from = source.FirstParam(); from; from = from->Next()) {
        TKnotParam* to = target.AddParam(from->Name());
        switch (from->Kind()) {
        case pkNone: break;
        case pkText: to->SetText(from->Text()); break;
        case pkStream: to->SetStream(*from->Stream()); break;
        case pkStreamRef: to->SetStreamRef(from->Stream()); break;
        }
    }
}
} // namespace

void TKnot::Assign(const TKnot& source)
{
    if (&source == this) return;
    for (const TNode* a = source.Parent(); a; a = a->Parent()) {
        if (a == this) {
            // The source lies inside this subtree, which is about to be replaced.
            TKnot copy;
            copy.Assign(source);
            Assign(copy);
            return;
        }
    }
    ClearParams();
    DeleteChildren();
    // Pairs of source and copy, walked in pre-order without recursion.
    auto copyOwn = [](TKnot& to, const TKnot& from) {
        to.name_ = from.name_;
        to.includedOptions_ = from.includedOptions_;
        to.excludedOptions_ = from.excludedOptions_;
        const TKnotOptions saved = to.includedOptions_;
        to.includedOptions_ = 0; // copied parameters are appended, never merged
        const TKnotOptions savedExcluded = to.excludedOptions_;
        to.excludedOptions_ = koUniqueParams;
        CopyParams(to, from);
        to.includedOptions_ = saved;
        to.excludedOptions_ = savedExcluded;
    };
    copyOwn(*this, source);
    const TNode* s = &source;
    TKnot* d = this;
    for (;;) {
        if (s->FirstChild()) {
            s = s->FirstChild();
            d = d->AddKnot({});
            copyOwn(*d, *static_cast<const TKnot*>(s));
            continue;
        }
        while (s != &source && !s->NextSibling()) {
            s = s->Parent();
            d = static_cast<TKnot*>(d->Parent());
        }
        if (s == &source) return;
        s = s->NextSibling();
        d = static_cast<TKnot*>(d->Parent())->AddKnot({});
        copyOwn(*d, *static_cast<const TKnot*>(s));
    }
}

void TKnot::Clear()
{
    name_.clear();
    includedOptions_ = 0;
    excludedOptions_ = 0;
    ClearParams();
    DeleteChildren();
    visited_ = false;
    corrupt_ = false;
}

void TKnot::ClearParams()
{
    TKnotParam* p = firstParam_;
    firstParam_ = lastParam_ = nullptr;
    paramCount_ = 0;
    while (p) {
        TKnotParam* next = p->next_;
        delete p;
        p = next;
    }
}

void TKnot::AppendParam(TKnotParam* param)
{
    if (lastParam_) lastParam_->next_ = param;
    else firstParam_ = param;
    lastParam_ = param;
    ++paramCount_;
}

TKnotParam* TKnot::ParamAt(int index) const
{
    TKnotParam* p = index >= 0 ? firstParam_ : nullptr;
    for (; p && index > 0; --index) p = p->next_;
    return p;
}

// ---- options ----

void TKnot::SetOptions(TKnotOptions options)
{
    WalkSubtree(this, [options](TNode* n) {
        auto* knot = static_cast<TKnot*>(n);
        if (knot->inheritedOptions_ == options) return false;
        knot->inheritedOptions_ = options;
        return true;
    });
}

bool TKnot::IsEmpty() const
{
    // Empty unless some knot reached has parameters, or has children under koList;
    // the children of a knot without koList are reached as well.
    bool empty = true;
    WalkSubtree(const_cast<TKnot*>(this), [&empty](TNode* n) {
        if (!empty) return false;
        auto* knot = static_cast<TKnot*>(n);
        if (knot->firstParam_ || ((knot->Options() & koList) && knot->FirstChild())) {
            empty = false;
            return false;
        }
        return true;
    });
    return empty;
}

// ---- parameters ----

TKnotParam* TKnot::FindParam(StringView name) const
{
    for (TKnotParam* p = firstParam_; p; p = p->next_)
        if (p->name_ == name) return p;
    return nullptr;
}

bool TKnot::ParamExists(StringView name)
{
    TKnotParam* p = FindParam(name);
    if (!p) return false;
    p->visited_ = true;
    return true;
}

TKnotParam* TKnot::AddParam(StringView name)
{
    if (Options() & koUniqueParams)
        if (TKnotParam* p = FindParam(name)) return p;
    auto* param = new TKnotParam(this, String(name));
    AppendParam(param);
    return param;
}

// ---- typed reading ----

String TKnot::ReadString(StringView name, StringView defaultValue)
{
    TKnotParam* p = FindParam(name);
    if (!p) return String(defaultValue);
    p->visited_ = true;
    return p->TextForm();
}

int32_t TKnot::ReadInteger(StringView name, int32_t defaultValue, int32_t min, int32_t max)
{
    TKnotParam* p = FindParam(name);
    if (!p) return defaultValue;
    p->visited_ = true;
    int32_t value = 0;
    if (!TryParseInt32(p->TextForm(), value)) return defaultValue;
    if (min != max && (value < min || value > max)) return defaultValue;
    return value;
}

bool TKnot::ReadBool(StringView name, bool defaultValue)
{
    TKnotParam* p = FindParam(name);
    if (!p) return defaultValue;
    p->visited_ = true;
    String text = p->TextForm();
    if (text == u"1") return true;
    if (text == u"0") return false;
    return defaultValue;
}

TColor TKnot::ReadColor(StringView name, TColor defaultValue)
{
    TKnotParam* p = FindParam(name);
    if (!p) return defaultValue;
    p->visited_ = true;
    TColor color = 0;
    return StringToColor(p->TextForm(), color) ? color : defaultValue;
}

bool TKnot::ReadStream(StringView name, TMemoryStream& stream)
{
    TKnotParam* p = FindParam(name);
    if (!p) return true;
    p->visited_ = true;
    switch (p->kind_) {
    case pkNone:
        return true;
    case pkStream:
    case pkStreamRef:
        if (p->stream_ != &stream) stream.Bytes() = p->stream_ ? p->stream_->Bytes() : std::vector<uint8_t>();
        stream.SetPosition(0);
        return true;
    case pkText:
        break;
    }
    const String& text = p->text_;
    if (text.size() % 2 != 0) return false;
    std::vector<uint8_t> bytes(text.size() / 2);
    for (size_t i = 0; i < bytes.size(); ++i) {
        int hi = HexDigitValue(text[2 * i]), lo = HexDigitValue(text[2 * i + 1]);
        if (hi < 0 || lo < 0) {
            stream.Clear();
            return false;
        }
        bytes[i] = static_cast<uint8_t>(hi * 16 + lo);
    }
    stream.Bytes() = std::move(bytes);
    stream.SetPosition(0);
    return true;
}

void TKnot::ReadFont(TFontData& font)
{
    font.Name = ReadString(u"Name", font.Name);
    font.Size = ReadInteger(u"Size", font.Size);
    font.Color = ReadColor(u"Color", font.Color);
    String letters;
    if (font.Style & fsBold) letters += u'B';
    if (font.Style & fsItalic) letters += u'I';
    if (font.Style & fsUnderline) letters += u'U';
    if (font.Style & fsStrikeOut) letters += u'S';
    letters = ReadString(u"Style", letters);
    TFontStyles style = 0;
    if (letters.find(u'B') != String::npos) style |= fsBold;
    if (letters.find(u'I') != String::npos) style |= fsItalic;
    if (letters.find(u'U') != String::npos) style |= fsUnderline;
    if (letters.find(u'S') != String::npos) style |= fsStrikeOut;
    font.Style = style;
    TFontCharset charset = DefaultCharset;
    if (!IdentToCharset(ReadString(u"Charset"), charset)) charset = DefaultCharset;
    font.Charset = charset;
}

namespace {
bool HasSizeableBorder(TFormBorderKind kind)
{
    return kind == TFormBorderKind::None || kind == TFormBorderKind::Sizeable || kind == TFormBorderKind::SizeToolWindow;
}
} // namespace

void TKnot::ReadFormPlacement(TPlacementForm& form)
{
    const TFormBorderKind border = form.BorderKind();
    if (border == TFormBorderKind::Sizeable && form.HasMaximizeButton() && ReadBool(u"Maximized", false)) {
        form.Maximize();
        return;
    }
    if (!FindParam(u"Left")) return;
    form.SetExplicitPlacement();
    TFormBounds b = form.Bounds();
    if (HasSizeableBorder(border)) {
        b.Width = ReadInteger(u"Width", b.Width);
        b.Height = ReadInteger(u"Height", b.Height);
    }
    // The form must lie on the desktop; a position outside 0..(desktop - size) keeps
    // the current one (also when the size leaves no room at all).
    auto readCoordinate = [this](StringView name, int current, int limit) {
        int32_t value = ReadInteger(name, current);
        return value < 0 || value > limit ? current : value;
    };
    b.Left = readCoordinate(u"Left", b.Left, form.DesktopWidth() - b.Width);
    b.Top = readCoordinate(u"Top", b.Top, form.DesktopHeight() - b.Height);
    form.SetBounds(b);
}

// ---- typed writing ----

void TKnot::WriteString(StringView name, StringView value) { AddParam(name)->SetText(String(value)); }
void TKnot::WriteInteger(StringView name, int32_t value) { AddParam(name)->SetText(IntToString(value)); }
void TKnot::WriteBool(StringView name, bool value) { AddParam(name)->SetText(value ? u"1" : u"0"); }

void TKnot::WriteColor(StringView name, TColor color)
{
    const TKnotOptions o = Options();
    AddParam(name)->SetText(ColorToString(color, (o & koColorHash) != 0, (o & koColorNoNames) != 0));
}

void TKnot::WriteStream(StringView name, const TMemoryStream& stream) { AddParam(name)->SetStream(stream); }
void TKnot::WriteStreamRef(StringView name, TMemoryStream* stream) { AddParam(name)->SetStreamRef(stream); }

void TKnot::WriteFont(const TFontData& font)
{
    WriteString(u"Name", font.Name);
    WriteInteger(u"Size", font.Size);
    WriteColor(u"Color", font.Color);
    if (font.Style) {
        String letters;
        if (font.Style & fsBold) letters += u'B';
        if (font.Style & fsItalic) letters += u'I';
        if (font.Style & fsUnderline) letters += u'U';
        if (font.Style & fsStrikeOut) letters += u'S';
        WriteString(u"Style", letters);
    }
    String ident;
    if (CharsetToIdent(font.Charset, ident)) WriteString(u"Charset", ident);
}

void TKnot::WriteFormPlacement(const TPlacementForm& form)
{
    const TFormBorderKind border = form.BorderKind();
    if (border == TFormBorderKind::Sizeable && form.HasMaximizeButton()) {
        WriteBool(u"Maximized", form.Maximized());
        if (form.Maximized()) return;
    }
    const TFormBounds b = form.Bounds();
    WriteInteger(u"Left", b.Left);
    WriteInteger(u"Top", b.Top);
    if (HasSizeableBorder(border)) {
        WriteInteger(u"Width", b.Width);
        WriteInteger(u"Height", b.Height);
    }
}

// ---- loading and saving ----

namespace {
// DecodeText, with a fast path for UTF-8 (the data files): runs of ASCII are widened in
// place and only the other runs go through the general decoder. A byte below 0x80 ends
// every multi-byte sequence, valid or not, so cutting the runs there decodes the same.
String DecodeKnotBytes(std::string_view bytes)
{
    if (bytes.size() < 3 || bytes.compare(0, 3, "\xEF\xBB\xBF") != 0) return DecodeText(bytes);
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data()) + 3;
    const auto* const end = reinterpret_cast<const unsigned char*>(bytes.data()) + bytes.size();
    String text(static_cast<size_t>(end - p), u'\0'); // UTF-16 never needs more units than UTF-8 bytes
    Char* out = text.data();
    while (p < end) {
        // The ASCII run, sixteen bytes at a time where the processor allows.
#if defined(__SSE2__)
        const __m128i zero = _mm_setzero_si128();
        while (end - p >= 16) {
            const __m128i bytes16 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            if (_mm_movemask_epi8(bytes16)) break;
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out), _mm_unpacklo_epi8(bytes16, zero));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + 8), _mm_unpackhi_epi8(bytes16, zero));
            p += 16;
            out += 16;
        }
#endif
        while (p < end && *p < 0x80) *out++ = *p++;
        // The run of other bytes.
        const auto* run = p;
        while (p < end && *p >= 0x80) ++p;
        if (p > run) {
            const String wide = Utf8ToString(std::string_view(reinterpret_cast<const char*>(run), static_cast<size_t>(p - run)));
            out = std::copy(wide.begin(), wide.end(), out);
        }
    }
    text.resize(static_cast<size_t>(out - text.data()));
    return text;
}
} // namespace

void TKnot::LoadFromFile(const String& fileName)
{
    const std::string bytes = ReadWholeFile(fileName); // raises before the tree is touched
    LoadFromText(DecodeKnotBytes(bytes));
}

void TKnot::LoadFromStream(TMemoryStream& stream)
{
    const size_t from = stream.Position();
    std::string_view bytes(reinterpret_cast<const char*>(stream.Data()) + from, stream.Size() - from);
    String text = DecodeKnotBytes(bytes);
    stream.SetPosition(stream.Size());
    LoadFromText(text);
}

void TKnot::LoadFromText(StringView text)
{
    Clear();
    corrupt_ = !TKnotReader::Parse(*this, text);
}

void TKnot::SaveToFile(const String& fileName, TTextEncoding encoding)
{
    TMemoryStream stream;
    SaveToStream(stream, encoding);
    WriteWholeFile(fileName, std::string_view(reinterpret_cast<const char*>(stream.Data()), stream.Size()));
}

namespace {
// EncodeText, with a fast path for UTF-8: ASCII runs are narrowed in place and only the
// other runs go through the general encoder (a surrogate pair never spans an ASCII unit).
std::string EncodeKnotText(StringView text, TTextEncoding encoding)
{
    if (encoding != TTextEncoding::Utf8) return EncodeText(text, encoding);
    std::string bytes;
    bytes.reserve(3 + text.size() + text.size() / 8);
    bytes.append("\xEF\xBB\xBF");
    const Char* p = text.data();
    const Char* const end = p + text.size();
    while (p < end) {
        const Char* run = p;
        while (p < end && *p < 0x80) ++p;
        if (p > run) {
            const size_t at = bytes.size();
            bytes.resize(at + static_cast<size_t>(p - run));
            std::transform(run, p, bytes.begin() + static_cast<std::ptrdiff_t>(at), [](Char c) { return static_cast<char>(c); });
        }
        run = p;
        while (p < end && *p >= 0x80) ++p;
        if (p > run) bytes += StringToUtf8(StringView(run, static_cast<size_t>(p - run)));
    }
    return bytes;
}
} // namespace

void TKnot::SaveToStream(TMemoryStream& stream, TTextEncoding encoding)
{
    const std::string bytes = EncodeKnotText(SaveToText(), encoding);
    stream.Write(bytes.data(), bytes.size());
}

String TKnot::SaveToText()
{
    TXmlCodeWriter writer;
    WriteTo(writer);
    return writer.TakeText();
}

namespace {
void WriteParams(const TKnot& knot, TCustomXmlCodeWriter& writer)
{
    const TKnotOptions o = knot.Options();
    for (const TKnotParam* p = knot.FirstParam(); p; p = p->Next()) {
        if (p->Kind() == pkNone) {
            writer.WriteAttrName(p->Name());
            continue;
        }
        bool needsQuotes = false;
        String escaped;
        StringView value;
        if (p->Kind() != pkText) {
            escaped = p->TextForm();
            value = escaped;
        } else if (TCustomXmlCodeWriter::IsPlainValue(p->Text(), (o & koDoubledQuotes) != 0, needsQuotes)) {
            value = p->Text();
        } else {
            escaped = TCustomXmlCodeWriter::EscapeValue(p->Text(), (o & koDoubledQuotes) != 0, needsQuotes);
            value = escaped;
        }
        if (!needsQuotes && (o & koUnquotedValues)) writer.WriteAttr(p->Name(), value);
        else writer.WriteAttrQuoted(p->Name(), value);
    }
}
} // namespace

void TKnot::WriteTo(TCustomXmlCodeWriter& writer)
{
    // Written without recursion: `frames` holds, for each knot being written, the
    // writer settings to restore when it is done.
    struct Frame {
        TKnot* Knot;
        bool AutoIndent;
        bool LineBreaks;
    };
    std::vector<Frame> frames;

    // Writes the start of `knot`; true when its children follow.
    auto open = [&](TKnot* knot) {
        frames.push_back({knot, writer.AutoIndent(), writer.LineBreaks()});
        const TKnotOptions o = knot->Options();
        writer.SetAutoIndent(!(o & koNoIndent));
        writer.SetLineBreaks(!(o & koNoLineBreaks));
        const bool hasParams = knot->firstParam_ != nullptr;
        if (!knot->FirstChild()) {
            if (hasParams) {
                writer.WriteTagOpen(knot->name_);
                WriteParams(*knot, writer);
                writer.WriteTagCloseEmpty();
            } else {
                writer.WriteEmptyTag(knot->name_);
            }
            return false;
        }
        if (hasParams) {
            writer.WriteTagOpen(knot->name_);
            WriteParams(*knot, writer);
            writer.WriteTagClose();
        } else {
            writer.WriteStartTag(knot->name_);
        }
        writer.NewLine();
        writer.IncLevel();
        return true;
    };
    // The first child of `parent` (after `after` when given) that is written.
    auto nextWritten = [](TKnot* parent, TNode* after) -> TKnot* {
        const bool skipEmpty = (parent->Options() & koSkipEmpty) != 0;
        for (TNode* n = after ? after->NextSibling() : parent->FirstChild(); n; n = n->NextSibling()) {
            auto* child = static_cast<TKnot*>(n);
            if (!skipEmpty || !child->IsEmpty()) return child;
        }
        return nullptr;
    };
    // Ends the element of the top frame (its children, if any, are written).
    auto close = [&](bool hadChildren) {
        Frame f = frames.back();
        frames.pop_back();
        if (hadChildren) {
            writer.DecLevel();
            writer.WriteEndTag(f.Knot->name_);
        }
        if (f.Knot->Parent()) {
            auto* next = f.Knot->NextSibling();
            if (!next || !(static_cast<TKnot*>(next)->Options() & koInline)) writer.NewLine();
        }
        writer.SetAutoIndent(f.AutoIndent);
        writer.SetLineBreaks(f.LineBreaks);
        return f.Knot;
    };

    TKnot* knot = this;
    for (;;) {
        // Descend into `knot`.
        if (open(knot)) {
            if (TKnot* child = nextWritten(knot, nullptr)) {
                knot = child;
                continue;
            }
            close(true);
        } else {
            close(false);
        }
        // Climb while the finished knot has no further written sibling.
        TKnot* done = knot;
        for (;;) {
            if (done == this) return;
            auto* parent = static_cast<TKnot*>(done->Parent());
            if (TKnot* next = nextWritten(parent, done)) {
                knot = next;
                break;
            }
            done = close(true);
        }
    }
}

// ---- diagnostics ----

String TKnot::GetPath() const
{
    std::vector<const TKnot*> chain;
    for (const TNode* n = this; n; n = n->Parent()) {
        auto* knot = dynamic_cast<const TKnot*>(n);
        if (!knot) break;
        chain.push_back(knot);
    }
    String path = chain.back()->name_;
    for (size_t i = chain.size() - 1; i-- > 0;) {
        const TKnot* knot = chain[i];
        path += u'.';
        path += knot->name_;
        if (chain[i + 1]->Options() & koList) {
            path += u'[';
            path += IntToString(knot->IndexInParent() + 1);
            path += u']';
        }
    }
    return path;
}

bool TKnot::FindUnread(std::vector<TKnot*>* knots, std::vector<TKnotParam*>* params)
{
    bool found = false;
    WalkSubtree(this, [&](TNode* n) {
        auto* knot = static_cast<TKnot*>(n);
        if (knot != this && !knot->visited_) {
            found = true;
            if (knots) knots->push_back(knot);
            return false;
        }
        for (TKnotParam* p = knot->firstParam_; p; p = p->next_) {
            if (p->visited_) continue;
            found = true;
            if (params) params->push_back(p);
        }
        return true;
    });
    return found;
}

void TKnot::MarkVisited(bool value)
{
    WalkSubtree(this, [value](TNode* n) {
        auto* knot = static_cast<TKnot*>(n);
        knot->visited_ = value;
        for (TKnotParam* p = knot->firstParam_; p; p = p->next_) p->visited_ = value;
        return true;
    });
}

} // namespace quillora
