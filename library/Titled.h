#pragma once
// Titled elements: visual elements whose children are arranged in lines by a small
// line-layout engine, the title writer. The element lists its title items (spaces, child
// elements, caption fields, content containers, text runs, images, rules); the writer
// measures them, aligns each line on a common baseline, collapses neighbouring margins,
// positions the children and gives the element its size. A titled element may have an
// expand button that shows or hides its content container.
//
// Class tree: TCustomDescribedElement -> TCustomTitledElement -> TTitledElement ->
// TTitledElementWithContent; TTitledTextContainer (the body of titled elements) and
// TCustomCommentElement (the base of comments and captions) are text elements.

#include <cstdint>
#include <vector>

#include "foundation/Geometry.h"
#include "foundation/Strings.h"
#include "elements/DelayedFocus.h"
#include "library/ExpandButton.h"
#include "text/TextElement.h"

namespace quillora {

// Margin collapsing: the larger of two non-negative margins, otherwise their sum (at
// least 0). A negative margin lets a neighbour overlap.
int Collapse(int a, int b);

enum TTitleItemType : uint8_t {
    tiText = 0,
    tiElement = 1,
    tiContainer = 2,
    tiCaption = 3,
    tiSpace = 4,
    tiImage12 = 5,
    tiImage16 = 6,
    tiImage32 = 7,
    tiRule = 8,
};

enum TTitleAlign : uint8_t { taTop = 0, taCentre = 1, taBottom = 2 };

struct TTitleItem {
    TTitleItemType Type = tiSpace;
    bool LineEnd = false;
    String Text;                       // tiText
    TVisualElement* Element = nullptr; // tiElement, tiContainer, tiCaption
    int Value = 0;                     // tiSpace: width; images: index
    TTitleAlign Align = taCentre;      // tiElement, tiCaption
    // Cached metrics; the item is measured while Width is 0.
    int Width = 0;
    int Height = 0;
    int Baseline = 0; // 0: none given
    TRect Margins;
};

// The metrics of one line of title items.
struct TTitleLine {
    int First = 0; // the first item
    int Last = 0;  // the last item (the one with LineEnd, or the last one)
    int Height = 0;   // LH: the largest occupied height
    int Baseline = 0; // LB: the largest baseline
    int TopMargin = 0;    // LT
    int BottomMargin = 0; // LBm
    std::vector<int> Offsets; // each item's y inside the line
};

class TTitleWriter {
public:
    // ---- building ----
    void AddText(const String& text);
    // Centred.
    void AddElement(TVisualElement* element);
    // Ends the line.
    void AddContainer(TVisualElement* container);
    void AddCaption(TVisualElement* element, TTitleAlign align);
    void AddSpace(int width);
    // `size` 12, 16 or 32.
    void AddImage(int size, int index);
    void AddRule();
    // Ends the line at the last item.
    void EndLine();

    int Count() const { return static_cast<int>(items_.size()); }
    TTitleItem& GetItems(int index) { return items_.at(static_cast<size_t>(index)); }
    // Whether an element, container or caption item holds `element`.
    bool HoldsElement(const TVisualElement* element) const;

    // ---- measuring ----
    // Measures every item whose Width is still 0. With `drawing`, containers give their
    // current size instead of their natural one.
    void Measure(TSheetCanvas& canvas, bool drawing);
    // Occupied size, effective margins and baseline of an item.
    static void EffectiveMetrics(const TTitleItem& item, TRect& margins, int& width, int& height, int& baseline);
    // The metrics of the line that starts at `first`.
    TTitleLine LineMetrics(int first) const;

    // ---- layout ----
    // The measuring pass (`position` false) returns the total size; the positioning pass
    // moves the elements within the available width `availableWidth` and gives the
    // container `content` the extra height `extra`.
    TPoint Layout(const TRect& padding, bool position, int availableWidth, int extra, TVisualElement* content);
    // Draws the items that are not elements; `elementWidth` is the element's width.
    void Draw(TSheetCanvas& canvas, const TRect& padding, int elementWidth);

private:
    TTitleItem& Add(TTitleItemType type);
    std::vector<TTitleItem> items_;
};

// The natural size and baseline that a container offers to the title.
class ITitleContainer {
public:
    virtual ~ITitleContainer() = default;
    virtual void GetNaturalSize(int& width, int& height, int& baseline) = 0;
};

// ---- elements ----

class TCustomCommentElement;

// An element that may carry a description: a comment saved and copied with it under
// "Description". It is kept as a part of the element; it is made when a stored one is
// loaded or when one is asked for, and an empty one is not saved.
//
// While the element is on a sheet its description floats beside it: it is a visual child
// of the sheet's root, placed at the element's right edge (plus the description's left
// margin) and at the description's top margin, never above the root's top; it follows the
// element when the element moves or is laid out, is shown and hidden with it and leaves
// the root when the element leaves the sheet. Keyboard navigation visits the description
// before the element's own children.
class TCustomDescribedElement : public TVisualElement {
public:
    QUILLORA_ELEMENT_CLASS(TCustomDescribedElement, TVisualElement)

    TCustomCommentElement* Description() const { return description_; }
    // The description, made when the element has none.
    TCustomCommentElement* GetDescription();
    // Links the description below the sheet's root and places it (nothing off a sheet).
    void PlaceDescription();

    void GetChildKnotName(TElement* child, TSchemeFiler* filer, String& name) override;
    void LoadFromKnot(TSchemeFiler* filer, TKnot* knot) override;
    void ChildrenChanged() override;
    void BoundsChanged(const TRect& oldRect, int oldDescent) override;
    void PositionChanged() override;
    void VisibleChanged() override;
    void UpdateLayout(bool attached, bool styleChanged, bool widthChanged, bool heightChanged) override;
    void DetachingFromSheet() override;
    TVisualElement* GetNextVisualChild(TVisualElement* previous, bool forward) override;
    void GetPaletteItems(TPaletteItemList& list) override;
    void GetPaletteItemState(TPaletteItem* item, TPaletteItemState& state) override;
    // "Description": focuses the description (made when there is none) with all its text
    // selected.
    bool ExecutePaletteItem(TVisualElement* target, TPaletteItem* item, bool checked) override;

private:
    // The description while it floats beside this element on a sheet.
    bool DescriptionAttached() const;

    TCustomCommentElement* description_ = nullptr;
};

class TCustomTitledElement : public TCustomDescribedElement {
public:
    QUILLORA_ELEMENT_CLASS(TCustomTitledElement, TCustomDescribedElement)

    // The element's title (empty here).
    virtual void BuildTitle(TTitleWriter& writer);
    virtual TSheetThemeElement GetTitleFrame();
    virtual void DrawFrame(TSheetCanvas& canvas, const TRect& rect);
    virtual void GetMinSize(int& width, int& height);
    // The container that receives the layout's extra height; none here.
    virtual TVisualElement* GetContent() { return nullptr; }
    virtual bool IsExpanded() { return true; }

    // Lays the title out and sets the element's size and baseline.
    void LayoutTitle();
    bool InsideLayout() const { return insideLayout_; }

    void UpdateLayout(bool attached, bool styleChanged, bool widthChanged, bool heightChanged) override;
    void GetPadding(TRect& rect) override;
    void Paint(TSheetCanvas& canvas, int paintFlags) override;
    bool IsChildVisible(TVisualElement* child) override;
    void GetAvailableSize(TVisualElement* child, int& width, int& height) override;
    void ChildBoundsChanged(TVisualElement* child, const TRect& oldRect, int oldDescent) override;
    void ChildEvent(TElement* child, intptr_t a, intptr_t b) override;

protected:
    TSheetCanvas* Canvas() const;

private:
    bool insideLayout_ = false;
    bool titleKnown_ = false;
    std::vector<int32_t> titleChildren_; // identifiers of the children in the title
};

// Kind flags of a titled element.
enum TTitledKind : uint8_t {
    tkCommand = 0x1,
    tkTechnical = 0x2,
    tkExpression = 0x4,
    tkBaselineRelayout = 0x8,
};

// The visual option of titled elements whose size the user may set ("Width", "Height").
constexpr TVisualOptions voFreeSize = 0x0020;

class TTitledElement : public TCustomTitledElement, public IDelayedFocusElement {
public:
    QUILLORA_ELEMENT_CLASS(TTitledElement, TCustomTitledElement)

    uint8_t Kind() const { return kind_; }
    void SetKind(uint8_t kind) { kind_ = kind; }
    TExpandButton* ExpandButton() const { return expandButton_; }
    int ExplicitWidth() const { return explicitWidth_; }
    int ExplicitHeight() const { return explicitHeight_; }

    bool IsExpanded() override;
    // Through the button's undoable operation.
    void SetExpanded(bool value);
    void SetExplicitSize(int width, int height);

    void BuildTitle(TTitleWriter& writer) override;
    TSheetThemeElement GetTitleFrame() override;
    void GetMinSize(int& width, int& height) override;

    bool ChildNotification(TElement* child, int notify, intptr_t param2, intptr_t param1) override;
    void GetChildKnotName(TElement* child, TSchemeFiler* filer, String& name) override;
    void LoadFromKnot(TSchemeFiler* filer, TKnot* knot) override;
    void SaveToKnot(TSchemeFiler* filer, TKnot* knot) override;
    void ShowChild(TVisualElement* child) override;
    void GetPaletteItems(TPaletteItemList& list) override;
    void GetPaletteItemState(TPaletteItem* item, TPaletteItemState& state) override;
    bool ExecutePaletteItem(TVisualElement* target, TPaletteItem* item, bool checked) override;
    // A new titled element passes the focus on to its first focusable descendant that is
    // not an expand button.
    void DelayedFocusAction(bool dropDownOnFocusNew) override;

protected:
    void Create() override;
    // Creates the expand button (a part, visual child of the element).
    TExpandButton* CreateExpandButton(bool expanded);

private:
    uint8_t kind_ = 0;
    TExpandButton* expandButton_ = nullptr;
    int explicitWidth_ = 0;
    int explicitHeight_ = 0;
};

class TTitledElementWithContent : public TTitledElement {
public:
    QUILLORA_ELEMENT_CLASS(TTitledElementWithContent, TTitledElement)

    TVisualElement* GetContent() override { return content_; }
    void GetChildKnotName(TElement* child, TSchemeFiler* filer, String& name) override;
    void LoadFromKnot(TSchemeFiler* filer, TKnot* knot) override;
    // The content first when it takes the focus on click; otherwise as the titled element.
    void DelayedFocusAction(bool dropDownOnFocusNew) override;

protected:
    void Create() override;
    // Creates the content container (class TTitledTextContainer here).
    virtual TVisualElement* CreateContent();
    void SetContent(TVisualElement* content) { content_ = content; }

private:
    TVisualElement* content_ = nullptr;
};

// The body of titled elements: a text element whose natural size the title takes.
class TTitledTextContainer : public TTextorElement, public ITitleContainer {
public:
    QUILLORA_ELEMENT_CLASS(TTitledTextContainer, TTextorElement)

    int NaturalWidth() const { return naturalWidth_; }
    int NaturalHeight() const { return naturalHeight_; }
    int NaturalBaseline() const { return naturalBaseline_; }

    void GetNaturalSize(int& width, int& height, int& baseline) override;
    // Recomputes the natural size; asks the titled parent for a layout when it changed.
    void UpdateSize() override;
    void GetMargins(TRect& rect) override;
    void AncestorsChanged() override;
    void LoadFromKnot(TSchemeFiler* filer, TKnot* knot) override;

protected:
    void Create() override;

private:
    int naturalWidth_ = 0;
    int naturalHeight_ = 0;
    int naturalBaseline_ = 0;
};

// The base of comments and captions: rich text in the comment frame.
class TCustomCommentElement : public TTextorElement {
public:
    QUILLORA_ELEMENT_CLASS(TCustomCommentElement, TTextorElement)

    bool GetFrameKind(TSheetThemeElement& kind) override;
    void GetAcceptedClasses(TElementClassList& list) override;
    // The class that takes a picture pasted or dropped into the comment (the image
    // element; none while no such class is registered).
    const TElementClass* DataElementClass() override;
    // The data clipboard holds a picture or a data element's data.
    bool HasDataToPaste() override;

protected:
    void Create() override;
};

// The description of a described element: a comment in the speech-bubble frame of the
// theme ("Description"), shown beside its owner while the owner is shown. An empty one is
// shown only while it has the focus (it hides itself as other auto-hide elements do), so
// that leaving it empty removes it from view as well as from the file.
class TDescriptionElement : public TCustomCommentElement {
public:
    QUILLORA_ELEMENT_CLASS(TDescriptionElement, TCustomCommentElement)

    // The element the description belongs to.
    TCustomDescribedElement* Owner() const;

    bool GetFrameKind(TSheetThemeElement& kind) override;
    void GetMargins(TRect& rect) override;
    void GetMouseTransparent(TRect& rect) override;
    bool ComputeVisible() override;
    // The owner: keyboard navigation leaves the description into its owner's children.
    TVisualElement* GetFocusParent() override;
    // Shows or hides the description when it becomes empty or filled.
    void ContentChanged() override;

protected:
    void Create() override;
};

// ---- palette commands of titled elements ----

// What the palette shows for a command of this unit.
struct TTitledPaletteCommand {
    int CaptionId;
    int HintId;
    const Char* Key;
    int GroupCaptionId; // the caption string of its palette group
    int Flags;
    int Order;
    int LargeImage; // within "diTitledLargeImages"
};

// "Collapsed": collapses or expands the selected titled elements with an expand button.
const TTitledPaletteCommand& CollapsedPaletteCommand();
// The palette's item for it (none until the palette made one). The item is checked
// while the element is collapsed.
void SetCollapsedPaletteItem(TPaletteItem* item);
TPaletteItem* GetCollapsedPaletteItem();

// "Description": edits the description of the focused described element.
const TTitledPaletteCommand& DescriptionPaletteCommand();
void SetDescriptionPaletteItem(TPaletteItem* item);
TPaletteItem* GetDescriptionPaletteItem();

// The first of the 32-pixel images of this unit ("diTitledLargeImages": Collapsed,
// Description) in the large element images; -1 until they are loaded.
extern int TitledLargeImageBase;
// Loads them (once).
void LoadTitledImages();

} // namespace quillora
