#include "elements/PanelElement.h"

#include <algorithm>
#include <climits>

#include "elements/Filer.h"
#include "elements/Scheme.h"

namespace quillora {

void TPanelElement::UpdateSize()
{
    if (HasState(esDestroying)) return;
    int right = 0, bottom = 0;
    for (TVisualElement* c = FirstVisual(); c; c = c->NextVisual()) {
        if (!c->IsVisible()) continue;
        right = std::max(right, c->Left() + c->Width());
        bottom = std::max(bottom, c->Top() + c->Height());
    }
    TRect padding;
    GetPadding(padding);
    int width = right > 0 ? right + padding.Right : 0;
    int height = bottom > 0 ? bottom + padding.Bottom : 0;
    if (width == 0) width = Width();
    if (height == 0) height = Height();
    if (width != Width() || height != Height()) SetBounds(Left(), Top(), width, height);
}

void TPanelElement::SaveToKnot(TSchemeFiler* filer, TKnot* knot)
{
    TVisualElement::SaveToKnot(filer, knot);
    SaveChildElements(*this, *filer, *knot);
}

void TPanelElement::LoadFromKnot(TSchemeFiler* filer, TKnot* knot)
{
    TVisualElement::LoadFromKnot(filer, knot);
    LoadChildElements(*this, *filer, *knot);
}

void TPanelElement::ChildrenChanged()
{
    TVisualElement::ChildrenChanged();
    if (HasState(esDestroying)) return;
    for (TVisualElement* c = FirstVisual(); c;) {
        TVisualElement* next = c->NextVisual();
        // A scheme's root has no logical parent: it stands in a sheet's root element
        // as a visual child only, and stays there when the sheet root gets a part.
        if (!c->Parent() && !(c->Scheme() && c->Scheme()->Root() == c)) c->SetVisualParent(nullptr, nullptr);
        c = next;
    }
    for (TElement* e = FirstElement(); e; e = e->NextElement()) {
        auto* child = dynamic_cast<TVisualElement*>(e);
        if (!child || child->VisualParent()) continue;
        TVisualElement* before = nullptr;
        for (TElement* n = e->NextElement(); n && !before; n = n->NextElement())
            if (auto* v = dynamic_cast<TVisualElement*>(n); v && v->VisualParent() == this) before = v;
        child->SetVisualParent(this, before);
    }
}

void TPanelElement::InsertVisualChild(TVisualElement* child, TVisualElement* before)
{
    TVisualElement::InsertVisualChild(child, before);
    if (child->IsVisible()) UpdateSize();
}

void TPanelElement::RemoveVisualChild(TVisualElement* child)
{
    TVisualElement::RemoveVisualChild(child);
    if (child->IsVisible()) UpdateSize();
}

void TPanelElement::ChildBoundsChanged(TVisualElement* child, const TRect& oldRect, int oldDescent)
{
    TVisualElement::ChildBoundsChanged(child, oldRect, oldDescent);
    if (child->IsVisible() && (child->Width() != oldRect.Width() || child->Height() != oldRect.Height()))
        UpdateSize();
}

void TPanelElement::ChildVisibleChanged(TVisualElement* child)
{
    TVisualElement::ChildVisibleChanged(child);
    UpdateSize();
}

void TPanelElement::VisibleChanged()
{
    TVisualElement::VisibleChanged();
    UpdateSize();
}

void TPanelElement::GetAvailableSize(TVisualElement* child, int& width, int& height)
{
    TVisualElement::GetAvailableSize(this, width, height);
    TRect padding;
    GetPadding(padding);
    if (width != INT_MAX) width = std::max(0, width - padding.Left - padding.Right);
    if (height != INT_MAX) height = std::max(0, height - padding.Top - padding.Bottom);
}

void TSheetElement::Paint(TSheetCanvas& canvas, int paintFlags) { canvas.DrawThemeFrame(steSheet, GetLocalRect()); }

} // namespace quillora
