#include "elements/Unaccepted.h"

#include <algorithm>

#include "elements/CustomSheet.h"
#include "elements/Filer.h"
#include "elements/Messages.h"
#include "elements/ValueChecks.h"
#include "foundation/Knot.h"

namespace quillora {

namespace {
std::vector<String> SplitLines(const String& text)
{
    std::vector<String> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of(u"\r\n", start);
        if (end == String::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + (text[end] == u'\r' && end + 1 < text.size() && text[end + 1] == u'\n' ? 2 : 1);
    }
    return lines;
}
} // namespace

void TElement_Unaccepted::Register() { RegisterElementClass(Class()); }

void TElement_Unaccepted::Create()
{
    TVisualElement::Create();
    flags_ |= efUnsupported | efValue;
}

String TElement_Unaccepted::StoredTypeName() const
{
    TKnot knot;
    ParseLines(knot);
    return knot.Name();
}

void TElement_Unaccepted::ParseLines(TKnot& knot) const
{
    // Read inside a wrapper: at the start of a text, "<?" would open a declaration and
    // an element named "?..." would be lost.
    String text = u"<Unaccepted>\r\n";
    for (const String& line : lines_) {
        text += line;
        text += u"\r\n";
    }
    text += u"</Unaccepted>";
    TKnot wrapper;
    wrapper.LoadFromText(text);
    if (TKnot* first = wrapper.FirstKnot()) knot.Assign(*first);
}

void TElement_Unaccepted::CheckValue()
{
    AddElementMessage(GetMessages(), mkInvalidValue, sidUnsupportedElement, ID(), {StoredTypeName()});
}

void TElement_Unaccepted::LoadFromKnot(TSchemeFiler* filer, TKnot* knot)
{
    TVisualElement::LoadFromKnot(filer, knot);
    TKnot* source = knot;
    if (filer && filer->IsExactCopy()) {
        // Stored under its own type name, with the knot as read as its first child.
        source = static_cast<TKnot*>(knot->FirstChild());
        if (source) source->SetVisited(true);
    }
    lines_ = source ? SplitLines(source->SaveToText()) : std::vector<String>{};
    // A knot inside a tree is written with the line break that ends it.
    while (!lines_.empty() && lines_.back().empty()) lines_.pop_back();
    if (source) source->MarkVisited(true);
    knot->MarkVisited(true);
    Recheck();
    UpdateSize();
}

void TElement_Unaccepted::SaveToKnot(TSchemeFiler* filer, TKnot* knot)
{
    TVisualElement::SaveToKnot(filer, knot);
    if (lines_.empty()) return;
    if (filer && filer->IsExactCopy()) {
        ParseLines(*knot->AddKnot(u""));
    } else {
        // The element is stored exactly as it was read, with nothing of the placeholder.
        TKnot parsed;
        ParseLines(parsed);
        knot->Assign(parsed);
    }
}

String TElement_Unaccepted::DisplayLine(const String& line)
{
    String shown;
    for (Char c : line) {
        if (c == u'\t') shown.append(8, u' ');
        else shown += c;
    }
    if (shown.size() > 100) {
        shown.resize(97);
        shown += u"...";
    }
    return shown;
}

void TElement_Unaccepted::GetPadding(TRect& rect)
{
    TSheetCanvas* canvas = Sheet() ? Sheet()->GetCanvas() : nullptr;
    rect = canvas ? canvas->GetThemePadding(steUnaccepted) : TRect{};
}

void TElement_Unaccepted::Paint(TSheetCanvas& canvas, int paintFlags)
{
    canvas.DrawThemeFrame(steUnaccepted, GetLocalRect());
    TRect padding;
    GetPadding(padding);
    const int lineHeight = canvas.GetFixedLineHeight();
    int y = padding.Top;
    // clNone: the fixed font's own colour of the theme.
    for (const String& line : lines_) {
        canvas.DrawFixedText(padding.Left, y, clNone, DisplayLine(line));
        y += lineHeight;
    }
}

void TElement_Unaccepted::UpdateSize()
{
    if (!Sheet() || !IsVisible()) return;
    TSheetCanvas* canvas = Sheet()->GetCanvas();
    if (!canvas) return;
    TRect padding;
    GetPadding(padding);
    const int lineHeight = canvas->GetFixedLineHeight();
    const int descent = Sheet()->GetDefaultTextDescent();
    if (lines_.empty()) {
        SetBounds(Left(), Top(), lineHeight * 2 / 3, lineHeight, descent);
        return;
    }
    int width = 0, height = 0;
    {
        // Lines up to the last non-empty one; the first line always counts.
        size_t count = 1;
        for (size_t i = lines_.size(); i-- > 1;)
            if (!lines_[i].empty()) {
                count = i + 1;
                break;
            }
        for (size_t i = 0; i < count; ++i) width = std::max(width, canvas->FixedTextWidth(DisplayLine(lines_[i])));
        height = static_cast<int>(count) * lineHeight;
    }
    SetBounds(Left(), Top(), padding.Left + width + padding.Right, padding.Top + height + padding.Bottom, descent);
}

void TElement_Unaccepted::UpdateLayout(bool attached, bool styleChanged, bool widthChanged, bool heightChanged)
{
    TVisualElement::UpdateLayout(attached, styleChanged, widthChanged, heightChanged);
    if (attached || styleChanged) UpdateSize();
}

void TElement_Unaccepted::VisibleChanged()
{
    TVisualElement::VisibleChanged();
    if (IsVisible()) UpdateSize();
}

} // namespace quillora
