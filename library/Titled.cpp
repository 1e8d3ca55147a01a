#include "library/Titled.h"

#include <algorithm>
#include <climits>

#include "elements/ClassesGroups.h"
#include "elements/CustomSheet.h"
#include "elements/Filer.h"
#include "elements/Palette.h"
#include "elements/SchemeImages.h"
#include "foundation/Knot.h"
#include "foundation/Service.h"
#include "library/DataElementUtils.h"
#include "foundation/Localization.h"
#include "render/SheetCanvas.h"
#include "text/RichTextAttributes.h"
#include "text/ThemeTextAttributes.h"

namespace quillora {

int Collapse(int a, int b)
{
    if (a >= 0 && b >= 0) return std::max(a, b);
    return std::max(0, a + b);
}

// ---- TTitleWriter ----

TTitleItem& TTitleWriter::Add(TTitleItemType type)
{
    if (items_.size() == items_.capacity()) items_.reserve(items_.size() + 10);
    items_.emplace_back();
    items_.back().Type = type;
    return items_.back();
}

void TTitleWriter::AddText(const String& text) { Add(tiText).Text = text; }

void TTitleWriter::AddElement(TVisualElement* element)
{
    TTitleItem& item = Add(tiElement);
    item.Element = element;
    item.Align = taCentre;
}

void TTitleWriter::AddContainer(TVisualElement* container)
{
    TTitleItem& item = Add(tiContainer);
    item.Element = container;
    item.LineEnd = true;
}

void TTitleWriter::AddCaption(TVisualElement* element, TTitleAlign align)
{
    TTitleItem& item = Add(tiCaption);
    item.Element = element;
    item.Align = align;
}

void TTitleWriter::AddSpace(int width) { Add(tiSpace).Value = width; }

void TTitleWriter::AddImage(int size, int index)
{
    const TTitleItemType type = size <= 12 ? tiImage12 : size <= 16 ? tiImage16 : tiImage32;
    Add(type).Value = index;
}

void TTitleWriter::AddRule() { Add(tiRule); }

void TTitleWriter::EndLine()
{
    if (!items_.empty()) items_.back().LineEnd = true;
}

bool TTitleWriter::HoldsElement(const TVisualElement* element) const
{
    for (const TTitleItem& item : items_)
        if (item.Element == element &&
            (item.Type == tiElement || item.Type == tiContainer || item.Type == tiCaption))
            return true;
    return false;
}

namespace {

int ImageListSize(TTitleItemType type)
{
    switch (type) {
    case tiImage12: return SchemeCharImages().CellSize();
    case tiImage16: return SchemeSmallImages().CellSize();
    default: return SchemeLargeImages().CellSize();
    }
}

int ElementBaseline(const TVisualElement& element) { return std::max(0, element.Height() - element.Descent()); }

} // namespace

void TTitleWriter::Measure(TSheetCanvas& canvas, bool drawing)
{
    for (TTitleItem& item : items_) {
        if (item.Width != 0) continue;
        TVisualElement* element = item.Element;
        switch (item.Type) {
        case tiText:
            item.Width = canvas.ElementTextWidth(item.Text);
            item.Height = canvas.GetElementLineHeight();
            item.Margins = TRect{3, 0, 3, 0};
            break;
        case tiElement:
            if (!element) break;
            item.Width = element->Width();
            item.Height = std::max(canvas.GetElementLineHeight(), element->Height());
            element->GetMargins(item.Margins);
            break;
        case tiContainer:
            if (!element) break;
            if (auto* container = dynamic_cast<ITitleContainer*>(element); container && !drawing) {
                container->GetNaturalSize(item.Width, item.Height, item.Baseline);
            } else {
                item.Width = element->Width();
                item.Height = element->Height();
                item.Baseline = ElementBaseline(*element);
            }
            element->GetMargins(item.Margins);
            break;
        case tiCaption:
            if (!element) break;
            item.Width = element->Width();
            item.Height = element->Height();
            item.Baseline = ElementBaseline(*element);
            element->GetMargins(item.Margins);
            break;
        case tiSpace:
            item.Width = item.Value;
            item.Height = 0;
            item.Margins = {};
            break;
        case tiImage12:
        case tiImage16:
        case tiImage32: {
            const int size = ImageListSize(item.Type);
            item.Width = size;
            item.Height = size;
            item.Margins = {};
            break;
        }
        case tiRule:
            item.Height = canvas.GetThemeImageHeight(steLine);
            item.Margins = canvas.GetThemeMargins(steLine);
            break;
        }
    }
}

void TTitleWriter::EffectiveMetrics(const TTitleItem& item, TRect& margins, int& width, int& height, int& baseline)
{
    const TRect& raw = item.Margins;
    margins = TRect{std::abs(raw.Left), std::abs(raw.Top), std::abs(raw.Right), std::abs(raw.Bottom)};
    width = item.Width;
    height = item.Height;
    if (raw.Left < 0) width += raw.Left;
    if (raw.Right < 0) width += raw.Right;
    if (raw.Top < 0) height += raw.Top;
    if (raw.Bottom < 0) height += raw.Bottom;
    baseline = item.Baseline != 0 ? item.Baseline : item.Height;
    if (raw.Top < 0) baseline += raw.Top;
    if (raw.Bottom < 0) baseline += raw.Bottom;
}

TTitleLine TTitleWriter::LineMetrics(int first) const
{
    TTitleLine line;
    line.First = first;
    int last = first;
    while (last < Count() - 1 && !items_[static_cast<size_t>(last)].LineEnd) ++last;
    line.Last = last;
    TRect m;
    int w = 0, h = 0, b = 0;
    for (int i = first; i <= last; ++i) {
        EffectiveMetrics(items_[static_cast<size_t>(i)], m, w, h, b);
        line.Height = std::max(line.Height, h);
        line.Baseline = std::max(line.Baseline, b);
    }
    for (int i = first; i <= last; ++i) {
        const TTitleItem& item = items_[static_cast<size_t>(i)];
        EffectiveMetrics(item, m, w, h, b);
        int y = 0;
        if (h < line.Baseline) {
            const int d = line.Baseline - h;
            switch (item.Type) {
            case tiText: y = d / 2 + 1; break;
            case tiElement:
            case tiCaption:
                y = item.Align == taTop ? 0 : item.Align == taCentre ? d / 2 : line.Height - h;
                break;
            case tiContainer: y = 0; break;
            default: y = d / 2; break;
            }
        }
        line.Offsets.push_back(y);
        line.TopMargin = std::max(line.TopMargin, m.Top - y);
        line.BottomMargin = std::max(line.BottomMargin, y + h + m.Bottom - line.Height);
    }
    return line;
}

TPoint TTitleWriter::Layout(const TRect& padding, bool position, int availableWidth, int extra, TVisualElement* content)
{
    int totalW = 0, totalH = 0;
    int prevBottom = padding.Top;
    for (int first = 0; first < Count();) {
        const TTitleLine line = LineMetrics(first);
        totalH += Collapse(prevBottom, line.TopMargin);
        int x = 0;
        int prevRight = padding.Left;
        for (int i = line.First; i <= line.Last; ++i) {
            TTitleItem& item = items_[static_cast<size_t>(i)];
            TRect m;
            int w = 0, h = 0, b = 0;
            EffectiveMetrics(item, m, w, h, b);
            x += Collapse(prevRight, m.Left);
            if (position && item.Element &&
                (item.Type == tiElement || item.Type == tiCaption || item.Type == tiContainer)) {
                const int ex = x + (item.Margins.Left < 0 ? item.Margins.Left : 0);
                int ey = totalH + (item.Margins.Top < 0 ? item.Margins.Top : 0);
                TVisualElement* element = item.Element;
                if (item.Type == tiContainer) {
                    const int right = availableWidth - Collapse(item.Margins.Right, padding.Right);
                    int height = item.Height;
                    if (element == content) {
                        height += extra;
                        totalH += extra;
                    }
                    const int baseline = item.Baseline != 0 ? item.Baseline : height;
                    element->SetBounds(ex, ey, std::max(0, right - ex), height, std::max(0, height - baseline));
                } else {
                    if (item.Align == taCentre) ey += std::max(0, (line.Baseline - h) / 2);
                    else if (item.Align == taBottom) ey += std::max(0, line.Baseline - h);
                    element->SetBounds(ex, ey, element->Width(), element->Height());
                }
            }
            prevRight = m.Right;
            x += w;
        }
        x += Collapse(prevRight, padding.Right);
        totalW = std::max(totalW, x);
        totalH += line.Height;
        prevBottom = line.BottomMargin;
        first = line.Last + 1;
    }
    totalH += Collapse(prevBottom, padding.Bottom);
    return {totalW, totalH};
}

void TTitleWriter::Draw(TSheetCanvas& canvas, const TRect& padding, int elementWidth)
{
    int top = 0;
    int prevBottom = padding.Top;
    for (int first = 0; first < Count();) {
        const TTitleLine line = LineMetrics(first);
        top += Collapse(prevBottom, line.TopMargin);
        int x = 0;
        int prevRight = padding.Left;
        for (int i = line.First; i <= line.Last; ++i) {
            const TTitleItem& item = items_[static_cast<size_t>(i)];
            TRect m;
            int w = 0, h = 0, b = 0;
            EffectiveMetrics(item, m, w, h, b);
            x += Collapse(prevRight, m.Left);
            const int ix = x + (item.Margins.Left < 0 ? item.Margins.Left : 0);
            const int d = line.Baseline - h;
            const int imageY = top + d / 2;
            switch (item.Type) {
            case tiText: canvas.DrawElementText(ix, top + d / 2 + std::min(0, d), item.Text); break;
            case tiImage12: canvas.DrawCharImage(ix, imageY, item.Value); break;
            case tiImage16: canvas.DrawSmallImage(ix, imageY, item.Value); break;
            case tiImage32: canvas.DrawLargeImage(ix, imageY, item.Value); break;
            case tiRule:
                canvas.DrawThemeFrame(steLine, TRect{ix, imageY, elementWidth - padding.Right, imageY + h});
                break;
            default: break;
            }
            prevRight = m.Right;
            x += w;
        }
        top += line.Height;
        prevBottom = line.BottomMargin;
        first = line.Last + 1;
    }
}

// ---- TCustomDescribedElement ----

TCustomCommentElement* TCustomDescribedElement::GetDescription()
{
    if (!description_) {
        description_ = NewPart<TDescriptionElement>(this);
        PlaceDescription();
    }
    return description_;
}

bool TCustomDescribedElement::DescriptionAttached() const
{
    return description_ && Sheet() && description_->VisualParent() && description_->VisualParent() == Sheet()->GetRoot();
}

void TCustomDescribedElement::PlaceDescription()
{
    if (!description_ || HasState(esDestroying) || description_->HasState(esDestroying)) return;
    TCustomSheet* sheet = Sheet();
    TVisualElement* root = sheet ? sheet->GetRoot() : nullptr;
    if (!root || root == this || !root->IsVisualAncestorOf(this)) return;
    if (description_->VisualParent() != root) description_->SetVisualParent(root, nullptr);
    description_->UpdateVisible();
    TRect margins;
    description_->GetMargins(margins);
    TPoint p{Width() + margins.Left, margins.Top};
    for (const TVisualElement* e = this; e && e != root; e = e->VisualParent()) p = e->ToParent(p);
    if (p.Y < 0) p.Y = 0;
    description_->SetBounds(p.X, p.Y, description_->Width(), description_->Height(), description_->Descent());
}

void TCustomDescribedElement::GetChildKnotName(TElement* child, TSchemeFiler* filer, String& name)
{
    if (child && child == description_) {
        name = u"Description";
        return;
    }
    TVisualElement::GetChildKnotName(child, filer, name);
}

void TCustomDescribedElement::LoadFromKnot(TSchemeFiler* filer, TKnot* knot)
{
    if (knot->FindKnot(u"Description")) GetDescription();
    TVisualElement::LoadFromKnot(filer, knot);
}

void TCustomDescribedElement::ChildrenChanged()
{
    TVisualElement::ChildrenChanged();
    if (!description_) return;
    for (TElement* e = FirstElement(); e; e = e->NextElement())
        if (e == description_) return;
    description_ = nullptr; // taken out or destroyed
}

void TCustomDescribedElement::BoundsChanged(const TRect& oldRect, int oldDescent)
{
    TVisualElement::BoundsChanged(oldRect, oldDescent);
    if (DescriptionAttached()) PlaceDescription();
}

void TCustomDescribedElement::PositionChanged()
{
    TVisualElement::PositionChanged();
    if (DescriptionAttached()) PlaceDescription();
}

void TCustomDescribedElement::VisibleChanged()
{
    TVisualElement::VisibleChanged();
    if (description_) description_->UpdateVisible();
}

void TCustomDescribedElement::UpdateLayout(bool attached, bool styleChanged, bool widthChanged, bool heightChanged)
{
    TVisualElement::UpdateLayout(attached, styleChanged, widthChanged, heightChanged);
    // Linking the description lays it out; the root lays it out again with its other
    // children when the style changes.
    if (description_ && Sheet()) PlaceDescription();
}

void TCustomDescribedElement::DetachingFromSheet()
{
    TVisualElement::DetachingFromSheet();
    if (description_ && description_->VisualParent() && !description_->HasState(esDestroying))
        description_->SetVisualParent(nullptr, nullptr);
}

TVisualElement* TCustomDescribedElement::GetNextVisualChild(TVisualElement* previous, bool forward)
{
    TVisualElement* description = DescriptionAttached() ? description_ : nullptr;
    if (!description) return TVisualElement::GetNextVisualChild(previous, forward);
    if (forward) {
        if (!previous) return description;
        if (previous == description) return TVisualElement::GetNextVisualChild(nullptr, true);
        return TVisualElement::GetNextVisualChild(previous, true);
    }
    if (previous == description) return nullptr;
    TVisualElement* next = TVisualElement::GetNextVisualChild(previous, false);
    return next ? next : description;
}

void TCustomDescribedElement::GetPaletteItems(TPaletteItemList& list)
{
    TVisualElement::GetPaletteItems(list);
    if (TPaletteItem* item = GetDescriptionPaletteItem()) list.push_back(item);
}

void TCustomDescribedElement::GetPaletteItemState(TPaletteItem* item, TPaletteItemState& state)
{
    if (item && item == GetDescriptionPaletteItem()) {
        state.Enabled = true;
        state.Checked = false;
        return;
    }
    TVisualElement::GetPaletteItemState(item, state);
}

bool TCustomDescribedElement::ExecutePaletteItem(TVisualElement* target, TPaletteItem* item, bool checked)
{
    if (item && item == GetDescriptionPaletteItem()) {
        if (!Sheet()) return false;
        TCustomCommentElement* description = GetDescription();
        PlaceDescription();
        if (!DescriptionAttached()) return false;
        description->SetFocus(false, true, std::nullopt, nullptr, {});
        if (!description->IsFocused()) return false;
        description->SelectAll();
        return true;
    }
    return TVisualElement::ExecutePaletteItem(target, item, checked);
}

// ---- TCustomTitledElement ----

TSheetCanvas* TCustomTitledElement::Canvas() const { return Sheet() ? Sheet()->GetCanvas() : nullptr; }

void TCustomTitledElement::BuildTitle(TTitleWriter& writer) {}

TSheetThemeElement TCustomTitledElement::GetTitleFrame() { return steElement; }

void TCustomTitledElement::DrawFrame(TSheetCanvas& canvas, const TRect& rect)
{
    canvas.DrawThemeFrame(GetTitleFrame(), rect);
}

void TCustomTitledElement::GetMinSize(int& width, int& height)
{
    TSheetCanvas* canvas = Canvas();
    width = canvas ? canvas->GetThemeZoneWidth(GetTitleFrame()) : 0;
    height = canvas ? canvas->GetThemeZoneHeight(GetTitleFrame()) : 0;
}

void TCustomTitledElement::GetPadding(TRect& rect)
{
    TSheetCanvas* canvas = Canvas();
    rect = canvas ? canvas->GetThemePadding(GetTitleFrame()) : TRect{};
}

void TCustomTitledElement::LayoutTitle()
{
    TCustomSheet* sheet = Sheet();
    if (!sheet || !IsVisible() || insideLayout_ || HasState(esDestroying)) return;
    TSheetCanvas* canvas = sheet->GetCanvas();
    if (!canvas) return;
    sheet->BeginUpdate();
    insideLayout_ = true;
    try {
        TTitleWriter writer;
        BuildTitle(writer);
        titleChildren_.clear();
        titleKnown_ = true;
        for (TVisualElement* child = FirstVisual(); child; child = child->NextVisual())
            if (writer.HoldsElement(child)) titleChildren_.push_back(child->ID());
        for (TVisualElement* child = FirstVisual(); child; child = child->NextVisual()) child->UpdateVisible();
        writer.Measure(*canvas, false);
        TRect padding;
        GetPadding(padding);
        TPoint size = writer.Layout(padding, false, 0, 0, nullptr);
        int minW = 0, minH = 0;
        GetMinSize(minW, minH);
        const int extra = size.Y < minH ? minH - size.Y : 0;
        size.X = std::max(size.X, minW);
        size.Y = std::max(size.Y, minH);
        writer.Layout(padding, true, size.X, extra, GetContent());
        int ascent = 0;
        if (TRichTextAttributes* code = GetCodeAttributes(*canvas)) ascent = code->GetAscent();
        int baseline = ascent;
        for (TVisualElement* child = FirstVisual(); child; child = child->NextVisual()) {
            if (!child->IsVisible()) continue;
            TRect margins;
            child->GetMargins(margins);
            baseline = std::max(ascent + padding.Bottom,
                                Collapse(padding.Bottom, margins.Bottom) + ElementBaseline(*child));
            break;
        }
        SetBounds(Left(), Top(), size.X, size.Y, std::max(0, size.Y - baseline));
    } catch (...) {
        insideLayout_ = false;
        sheet->EndUpdate();
        throw;
    }
    insideLayout_ = false;
    sheet->EndUpdate();
}

void TCustomTitledElement::UpdateLayout(bool attached, bool styleChanged, bool widthChanged, bool heightChanged)
{
    TCustomDescribedElement::UpdateLayout(attached, styleChanged, widthChanged, heightChanged);
    LayoutTitle();
}

void TCustomTitledElement::Paint(TSheetCanvas& canvas, int paintFlags)
{
    DrawFrame(canvas, GetLocalRect());
    TTitleWriter writer;
    BuildTitle(writer);
    writer.Measure(canvas, true);
    TRect padding;
    GetPadding(padding);
    writer.Draw(canvas, padding, Width());
}

bool TCustomTitledElement::IsChildVisible(TVisualElement* child)
{
    if (titleKnown_ && child && child->HasFlag(efPart) && child->ParentElement() == this)
        return std::find(titleChildren_.begin(), titleChildren_.end(), child->ID()) != titleChildren_.end();
    return TCustomDescribedElement::IsChildVisible(child);
}

void TCustomTitledElement::GetAvailableSize(TVisualElement* child, int& width, int& height)
{
    TCustomDescribedElement::GetAvailableSize(this, width, height);
    TRect padding, margins;
    GetPadding(padding);
    if (child) child->GetMargins(margins);
    const int w = std::max(padding.Left, margins.Left) + std::max(padding.Right, margins.Right);
    const int h = std::max(padding.Top, margins.Top) + std::max(padding.Bottom, margins.Bottom);
    if (width != INT_MAX) width = std::max(0, width - w);
    if (height != INT_MAX) height = std::max(0, height - h);
}

void TCustomTitledElement::ChildBoundsChanged(TVisualElement* child, const TRect& oldRect, int oldDescent)
{
    TCustomDescribedElement::ChildBoundsChanged(child, oldRect, oldDescent);
    if (insideLayout_ || !child) return;
    if (std::find(titleChildren_.begin(), titleChildren_.end(), child->ID()) == titleChildren_.end()) return;
    if (child->Width() != oldRect.Width() || child->Height() != oldRect.Height() || child->Descent() != oldDescent)
        LayoutTitle();
}

void TCustomTitledElement::ChildEvent(TElement* child, intptr_t a, intptr_t b)
{
    // The first row of a text in the title changed height: the title aligns to it.
    if (a == TextElementFirstRowEvent && child && child->ParentElement() == this) {
        LayoutTitle();
        return;
    }
    TCustomDescribedElement::ChildEvent(child, a, b);
}

// ---- TTitledElement ----

void TTitledElement::Create()
{
    TCustomTitledElement::Create();
    SetVisualOptions(static_cast<TVisualOptions>(VisualOptions() | voCanDisable));
}

TExpandButton* TTitledElement::CreateExpandButton(bool expanded)
{
    expandButton_ = TExpandButton::NewButton(this, this, expanded);
    return expandButton_;
}

bool TTitledElement::IsExpanded() { return !expandButton_ || expandButton_->Expanded(); }

void TTitledElement::SetExpanded(bool value)
{
    if (expandButton_ && expandButton_->Expanded() != value) expandButton_->SetExpanded(value);
}

void TTitledElement::SetExplicitSize(int width, int height)
{
    explicitWidth_ = std::max(0, width);
    explicitHeight_ = std::max(0, height);
    if (IsExpanded()) LayoutTitle();
}

void TTitledElement::BuildTitle(TTitleWriter& writer)
{
    if (expandButton_) writer.AddElement(expandButton_);
}

TSheetThemeElement TTitledElement::GetTitleFrame()
{
    if (kind_ & tkCommand) return steElementCommand;
    if (kind_ & tkTechnical) return steElementTechnical;
    if (kind_ & tkExpression) return steElementExpression;
    return steElement;
}

void TTitledElement::GetMinSize(int& width, int& height)
{
    TCustomTitledElement::GetMinSize(width, height);
    if (!IsExpanded()) return;
    width = std::max(width, explicitWidth_);
    height = std::max(height, explicitHeight_);
}

bool TTitledElement::ChildNotification(TElement* child, int notify, intptr_t param2, intptr_t param1)
{
    if (notify == ebnExpandedChanged && child && child == expandButton_) {
        LayoutTitle();
        // The palette shows the Collapsed command's new state.
        if (IsFocused()) ReportFocusedState();
        return false;
    }
    return TCustomTitledElement::ChildNotification(child, notify, param2, param1);
}

void TTitledElement::GetChildKnotName(TElement* child, TSchemeFiler* filer, String& name)
{
    if (child && child == expandButton_) {
        name = u"Expanded";
        return;
    }
    TCustomTitledElement::GetChildKnotName(child, filer, name);
}

void TTitledElement::LoadFromKnot(TSchemeFiler* filer, TKnot* knot)
{
    TCustomTitledElement::LoadFromKnot(filer, knot);
    if (HasVisualOption(voFreeSize) && !filer->HasOption(soNoPositions)) {
        const int32_t w = std::max<int32_t>(0, knot->ReadInteger(u"Width", explicitWidth_));
        const int32_t h = std::max<int32_t>(0, knot->ReadInteger(u"Height", explicitHeight_));
        SetExplicitSize(w, h);
    }
}

void TTitledElement::SaveToKnot(TSchemeFiler* filer, TKnot* knot)
{
    TCustomTitledElement::SaveToKnot(filer, knot);
    if (HasVisualOption(voFreeSize) && !filer->HasOption(soNoPositions)) {
        if (explicitWidth_ != 0) knot->WriteInteger(u"Width", explicitWidth_);
        if (explicitHeight_ != 0) knot->WriteInteger(u"Height", explicitHeight_);
    }
}

void TTitledElement::ShowChild(TVisualElement* child)
{
    // A child hidden behind a collapsed button is shown by expanding it (undoable).
    if (expandButton_ && !expandButton_->Expanded()) {
        for (TElement* controlled : expandButton_->Controlled())
            if (controlled == child || (child && controlled == child->ParentElement())) {
                expandButton_->SetExpanded(true);
                break;
            }
    }
    TCustomTitledElement::ShowChild(child);
}

void TTitledElement::GetPaletteItems(TPaletteItemList& list)
{
    TCustomTitledElement::GetPaletteItems(list);
    if (expandButton_)
        if (TPaletteItem* collapsed = GetCollapsedPaletteItem()) list.push_back(collapsed);
}

void TTitledElement::GetPaletteItemState(TPaletteItem* item, TPaletteItemState& state)
{
    if (item && item == GetCollapsedPaletteItem()) {
        state.Enabled = expandButton_ != nullptr;
        state.Checked = expandButton_ && !expandButton_->Expanded();
        return;
    }
    TCustomTitledElement::GetPaletteItemState(item, state);
}

bool TTitledElement::ExecutePaletteItem(TVisualElement* target, TPaletteItem* item, bool checked)
{
    if (item && item == GetCollapsedPaletteItem()) {
        if (!expandButton_) return false;
        if (expandButton_->Expanded() == checked) {
            if (TCustomSheet* sheet = Sheet())
                sheet->PlaySheetSound(checked ? u"diExpandButtonCollapseSound" : u"diExpandButtonExpandSound");
            expandButton_->SetExpanded(!checked);
        }
        return true;
    }
    return TCustomTitledElement::ExecutePaletteItem(target, item, checked);
}

// ---- TTitledElementWithContent ----

void TTitledElementWithContent::Create()
{
    TTitledElement::Create();
    content_ = CreateContent();
}

TVisualElement* TTitledElementWithContent::CreateContent()
{
    return NewVisualPart<TTitledTextContainer>(this, nullptr, this);
}

void TTitledElementWithContent::GetChildKnotName(TElement* child, TSchemeFiler* filer, String& name)
{
    if (child && child == content_) {
        name = u"Content";
        return;
    }
    TTitledElement::GetChildKnotName(child, filer, name);
}

void TTitledElementWithContent::LoadFromKnot(TSchemeFiler* filer, TKnot* knot)
{
    TTitledElement::LoadFromKnot(filer, knot);
    // Exact copies give the parts their stored identifiers: the button governs the
    // content by identifier, so it learns the content's identifier again.
    if (TExpandButton* button = ExpandButton(); button && content_) {
        button->ClearControlled();
        button->AddControlled(content_);
    }
}

// ---- TTitledTextContainer ----

void TTitledTextContainer::Create()
{
    TTextorElement::Create();
    options_ |= teoContainerFrame;
}

void TTitledTextContainer::GetNaturalSize(int& width, int& height, int& baseline)
{
    width = naturalWidth_;
    height = naturalHeight_;
    baseline = naturalBaseline_;
}

void TTitledTextContainer::UpdateSize()
{
    if (!Sheet() || Text().LayoutLockCount() > 0) return;
    int width = 0, height = 0, descent = 0;
    ComputeSize(width, height, descent);
    const int baseline = std::max(0, height - descent);
    const bool changed = width != naturalWidth_ || height != naturalHeight_ || baseline != naturalBaseline_;
    naturalWidth_ = width;
    naturalHeight_ = height;
    naturalBaseline_ = baseline;
    Invalidate();
    if (!changed) return;
    if (auto* titled = dynamic_cast<TCustomTitledElement*>(ParentElement()); titled && HasFlag(efPart)) {
        if (!titled->InsideLayout()) titled->LayoutTitle();
    } else {
        SetBounds(Left(), Top(), width, height, descent);
    }
}

void TTitledTextContainer::GetMargins(TRect& rect)
{
    TSheetCanvas* canvas = Sheet() ? Sheet()->GetCanvas() : nullptr;
    rect = canvas ? canvas->GetThemeMargins(steContainer) : TRect{};
}

void TTitledTextContainer::AncestorsChanged()
{
    TTextorElement::AncestorsChanged();
    // A delegating container takes its content mode and accepted classes from the text
    // around its owner as soon as it is linked, so that loading reads its embedded
    // elements and line breaks instead of a plain value.
    if (!HasState(esDestroying) && HasOption(teoDelegate | teoInheritOptions)) InheritOptions();
}

void TTitledTextContainer::LoadFromKnot(TSchemeFiler* filer, TKnot* knot)
{
    if (HasOption(teoDelegate | teoInheritOptions)) InheritOptions();
    TTextorElement::LoadFromKnot(filer, knot);
}

// ---- TCustomCommentElement ----

void TCustomCommentElement::Create()
{
    TTextorElement::Create();
    flags_ |= efComment;
    options_ |= teoContent | teoHyperlinks | teoCommentFont;
    textOptions_ = 127;
}

bool TCustomCommentElement::GetFrameKind(TSheetThemeElement& kind)
{
    kind = steComment;
    return true;
}

void TCustomCommentElement::GetAcceptedClasses(TElementClassList& list)
{
    if (!IsContentMode()) return;
    AddGroupClasses(list, cgCommentContent);
}

const TElementClass* TCustomCommentElement::DataElementClass() { return FindElementClass(u"Image"); }

bool TCustomCommentElement::HasDataToPaste()
{
    TDataClipboard* clipboard = FindService<TDataClipboard>();
    return clipboard && clipboard->CanPaste();
}

// ---- TDescriptionElement ----

void TDescriptionElement::Create()
{
    TCustomCommentElement::Create();
    options_ |= teoMaxWidth480;
    SetVisualOptions(static_cast<TVisualOptions>(VisualOptions() | voAutoHide));
}

TCustomDescribedElement* TDescriptionElement::Owner() const
{
    return dynamic_cast<TCustomDescribedElement*>(ParentElement());
}

bool TDescriptionElement::GetFrameKind(TSheetThemeElement& kind)
{
    kind = steDescription;
    return true;
}

void TDescriptionElement::GetMargins(TRect& rect)
{
    TSheetCanvas* canvas = Sheet() ? Sheet()->GetCanvas() : nullptr;
    rect = canvas ? canvas->GetThemeMargins(steDescription) : TRect{};
}

void TDescriptionElement::GetMouseTransparent(TRect& rect)
{
    TSheetCanvas* canvas = Sheet() ? Sheet()->GetCanvas() : nullptr;
    rect = canvas ? canvas->GetThemeMouseTransparent(steDescription) : TRect{};
}

bool TDescriptionElement::ComputeVisible()
{
    TVisualElement* parent = VisualParent();
    if (parent && !(parent->IsVisible() && parent->IsChildVisible(this))) return false;
    if (TCustomDescribedElement* owner = Owner(); owner && !owner->IsVisible()) return false;
    // The auto-hide rule: an empty description shows only while it has the focus or is
    // about to take it.
    return HasVisualState(vsKeepVisible) || IsFocused() || !IsEmpty();
}

void TDescriptionElement::ContentChanged()
{
    TCustomCommentElement::ContentChanged();
    UpdateVisible();
}

TVisualElement* TDescriptionElement::GetFocusParent()
{
    if (TCustomDescribedElement* owner = Owner(); owner && owner->Sheet() && owner->Sheet() == Sheet()) return owner;
    return TCustomCommentElement::GetFocusParent();
}

// ---- palette ----

const TTitledPaletteCommand& CollapsedPaletteCommand()
{
    static const TTitledPaletteCommand command{sidCollapsedCaption, sidCollapsedHint, u"E", pgState, 0x0300, 20, 0};
    return command;
}

const TTitledPaletteCommand& DescriptionPaletteCommand()
{
    static const TTitledPaletteCommand command{sidDescriptionCaption, sidDescriptionHint, u"M", pgActions, 0x0144, 30, 1};
    return command;
}

namespace {
TPaletteItem* collapsedItem = nullptr;
TPaletteItem* descriptionItem = nullptr;
}

void SetCollapsedPaletteItem(TPaletteItem* item) { collapsedItem = item; }
TPaletteItem* GetCollapsedPaletteItem() { return collapsedItem; }
void SetDescriptionPaletteItem(TPaletteItem* item) { descriptionItem = item; }
TPaletteItem* GetDescriptionPaletteItem() { return descriptionItem; }

int TitledLargeImageBase = -1;

void LoadTitledImages()
{
    static bool loaded = false;
    if (loaded) return;
    loaded = true;
    TitledLargeImageBase = SchemeLargeImages().AddImages(u"diTitledLargeImages");
}

} // namespace quillora

namespace quillora {

void TTitledElement::DelayedFocusAction(bool)
{
    if (!IsFocused()) return;
    for (TVisualElement* child = GetNextVisualChild(nullptr, true); child; child = GetNextVisualChild(child, true)) {
        if (dynamic_cast<TExpandButton*>(child)) continue;
        TVisualElement* found = nullptr;
        if (child->FindFocusable(false, true, true, false, found) && found) {
            found->SetFocus(false, true, std::nullopt, nullptr, {});
            return;
        }
    }
}

void TTitledElementWithContent::DelayedFocusAction(bool dropDownOnFocusNew)
{
    if (!IsFocused()) return;
    TVisualElement* content = GetContent();
    if (content && content->IsVisible() && content->HasVisualOption(voFocusable)) {
        content->SetFocus(false, true, std::nullopt, nullptr, {});
        return;
    }
    TTitledElement::DelayedFocusAction(dropDownOnFocusNew);
}

} // namespace quillora
