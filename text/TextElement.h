#pragma once
// TTextorElement: the visual element that owns a rich text (TSchemeTextor) and presents it
// in the sheet. Embedded elements are element portions of its text and, at the same time,
// its child elements in the element tree, kept in text order. It loads and saves its text
// in the content format ("Chars", "Br" and the element knots), validates it by its text
// options, and makes every change of its text through an undoable TTextorEditOperation.
//
// The element keeps its selection as locations, valid after every edit; while it has the
// focus its editing layer (TSchemeTextorInteractive) owns the caret and the selection and
// the element follows it.

#include <cstdint>
#include <memory>
#include <vector>

#include "elements/CustomElements.h"
#include "elements/FindReplace.h"
#include "elements/VisualElement.h"
#include "foundation/Strings.h"
#include "text/SchemeTextor.h"
#include "text/TextorPosition.h"

namespace quillora {

class TKnot;
class TSchemeFiler;
class TSchemeTextorInteractive;
class TSheetSettings;
class TTextorEditOperation;

// ---- TextOptions: what the text may hold ----
constexpr uint32_t toLetters = 0x1;
constexpr uint32_t toDigits = 0x2;
constexpr uint32_t toUnderscore = 0x4;
constexpr uint32_t toSpaces = 0x8;
constexpr uint32_t toTabs = 0x10;          // typed tabs become tab-stop portions
constexpr uint32_t toLineBreaks = 0x20;    // CR and LF make paragraphs
constexpr uint32_t toSymbols = 0x40;
constexpr uint32_t toLetterFirst = 0x80;   // begins with a letter or "_"
constexpr uint32_t toFileNameChars = 0x100;
constexpr uint32_t toPathChars = 0x200;
constexpr uint32_t toLatinLetters = 0x400;
constexpr uint32_t toInteger = 0x800;
constexpr uint32_t toFloat = 0x1000;
constexpr uint32_t toPercent = 0x2000;     // one trailing "%" is dropped before the number checks
constexpr uint32_t toNoLeadingSpace = 0x4000;
constexpr uint32_t toNoTrailingSpace = 0x8000;
constexpr uint32_t toElementRequired = 0x10000;
constexpr uint32_t toSingleElement = 0x20000;
// Any of these: the element holds text at all.
constexpr uint32_t toTextMask = toLetters | toDigits | toUnderscore | toSpaces | toSymbols;
// Every kind of character.
constexpr uint32_t toAnyText = toTextMask | toTabs | toLineBreaks;
// Exactly this value: no content checks.
constexpr uint32_t toNoChecks = toAnyText;

// ---- Options: behaviour and look ----
constexpr uint32_t teoContent = 0x1;           // embedded elements; saved as child knots
constexpr uint32_t teoFormatItems = 0x2;
constexpr uint32_t teoHyperlinks = 0x4;
constexpr uint32_t teoCommitOnLeave = 0x8;
constexpr uint32_t teoNoNonPrinting = 0x10;
constexpr uint32_t teoWordByClass = 0x20;
constexpr uint32_t teoElementOwnLine = 0x40;
constexpr uint32_t teoDelegate = 0x80;
constexpr uint32_t teoInheritOptions = 0x100;
constexpr uint32_t teoExtraLeftPadding = 0x200;
constexpr uint32_t teoEmptyMinWidth = 0x400;
constexpr uint32_t teoFieldFrame = 0x800;
constexpr uint32_t teoContainerFrame = 0x1000;
constexpr uint32_t teoPartFrame = 0x2000;
constexpr uint32_t teoFixedFont = 0x4000;
constexpr uint32_t teoArtFont = 0x8000;
constexpr uint32_t teoCommentFont = 0x10000;
constexpr uint32_t teoWorkspaceHeight = 0x20000;
constexpr uint32_t teoMaxWidth240 = 0x40000;
constexpr uint32_t teoMaxWidth480 = 0x80000;
constexpr uint32_t teoMaxWidth720 = 0x100000;
constexpr uint32_t teoMaxWidth960 = 0x200000;
constexpr uint32_t teoNoMaxWidth = 0x400000;
constexpr uint32_t teoMinWidth30 = 0x800000;
constexpr uint32_t teoMinWidth240 = 0x1000000;
constexpr uint32_t teoMinWidth480 = 0x2000000;
constexpr uint32_t teoFillWidth = 0x4000000;
constexpr uint32_t teoMinHeight60 = 0x8000000;
constexpr uint32_t teoMinHeight120 = 0x10000000;
constexpr uint32_t teoMinHeight240 = 0x20000000;
constexpr uint32_t teoFillHeight = 0x40000000;

// ---- groups of Options ----
constexpr uint32_t teoFrames = teoFieldFrame | teoContainerFrame | teoPartFrame;
constexpr uint32_t teoFonts = teoFixedFont | teoArtFont | teoCommentFont;
constexpr uint32_t teoMaxWidths = teoMaxWidth240 | teoMaxWidth480 | teoMaxWidth720 | teoMaxWidth960 | teoNoMaxWidth;
// The fixed minimum sizes (not those that follow the parent).
constexpr uint32_t teoFixedMinWidths = teoMinWidth30 | teoMinWidth240 | teoMinWidth480;
constexpr uint32_t teoFixedMinHeights = teoMinHeight60 | teoMinHeight120 | teoMinHeight240;
// A change of any of these lays every paragraph out again.
constexpr uint32_t teoLayoutOptions = teoContent | teoExtraLeftPadding | teoEmptyMinWidth | teoFrames | teoFonts |
                                      teoMaxWidths | teoFixedMinWidths | teoFixedMinHeights;
// What InheritOptions takes from the parent text element; a delegating element
// (teoDelegate) also takes its content mode, palette and element rules and its width.
constexpr uint32_t teoInheritable = teoHyperlinks | teoWordByClass | teoFonts;
constexpr uint32_t teoInheritableByDelegate =
    teoInheritable | teoContent | teoFormatItems | teoElementOwnLine | teoMaxWidths;

// The element's default visual options: a press focuses it; it pastes, selects all and
// selects its embedded elements together.
constexpr TVisualOptions TextElementVisualOptions = voPressable | voFocusable | voEditable | voSelectAll | voMultiSelect;

// A visual option of embedded elements: left out of clipboard copies of the text.
constexpr TVisualOptions voNotCopiedWithText = 0x1000;

// ---- notification codes of a text element's exchanges with the text around it ----
// A delegating element (teoDelegate) passes them on to its parent text element.
enum TTextElementNotify : int {
    tenDataElementClass = 100,  // which element class takes data from the clipboard or a file
    tenAdjustDataElement = 101, // a new element for such data may be adjusted before it is inserted
    tenReserved200 = 200,       // kept for the editor's element kinds
    tenReserved250 = 250,       // kept for the editor's element kinds
};

// The element event sent to the parents when the height of the first row (with the
// vertical padding) changed: titled elements align their titles to it.
constexpr int TextElementFirstRowEvent = 11;

// ---- state ----
constexpr uint8_t tesReparsing = 0x1;
constexpr uint8_t tesApplyingSelection = 0x2;
constexpr uint8_t tesInAfterRelayout = 0x4;

// What an edit replaces.
enum TTextEditKind : uint8_t {
    tekSelection, // the selection (nothing when it is empty); content goes to the caret
    tekRange,     // the given range; content goes to its start
    tekWholeText, // everything; content goes to the text start
    tekAppend,    // nothing; content goes to the text end
};

// What a text element asks of an element of its DataElementClass (the image element,
// of a unit above the text engine): a new element, not yet in the text, loads the data
// without an undo step, as it is inserted as one.
class ITextDataElement {
public:
    virtual ~ITextDataElement() = default;
    // Loads the clipboard's data; false when there was none it takes.
    virtual bool LoadPastedData() = 0;
    // Whether it takes the file, by its name.
    virtual bool TakesFile(const String& fileName) = 0;
    // Loads the file; raises when it cannot be read.
    virtual void LoadDroppedFile(const String& fileName) = 0;
};

class TTextorElement : public TCustomDropDownElement, public ITextElement {
public:
    QUILLORA_ELEMENT_CLASS(TTextorElement, TCustomDropDownElement)

    TTextorElement();
    ~TTextorElement() override;

    // ---- fields ----
    TSchemeTextor& Text() const { return *text_; }
    uint32_t TextOptions() const { return textOptions_; }
    uint32_t Options() const { return options_; }
    bool HasOption(uint32_t bits) const { return (options_ & bits) != 0; }
    // The text that counts as empty and is the default of a plain "Value"; none: null.
    const Char* DefaultValue() const { return defaultValue_; }
    uint8_t TextState() const { return textState_; }
    int FirstRowHeight() const { return firstRowHeight_; }
    bool IsContentMode() const { return HasOption(teoContent); }
    // A change made while focused that waits for the focus to leave (teoCommitOnLeave).
    bool CommitPending() const { return commitPending_; }
    // Does a pending commit: plays "diClassesValueSound" and reports the change.
    void CommitChange();

    // ---- options ----
    void SetOptions(uint32_t options);
    // Reparses the text when the tab or line-break bit changes; validates again.
    void SetTextOptions(uint32_t options);
    // Takes the inheritable options from the parent text element (teoDelegate or
    // teoInheritOptions; not while loading).
    void InheritOptions();

    // ---- text ----
    String GetText();
    // SetText when the element has visual children or the text differs (not undoable).
    void SetTextIfChanged(StringView text);

    // ---- selection (kept as locations, valid after every edit) ----
    const TTextorLocationRange& Selection() const { return selection_; }
    // Whether the caret stands at the selection's start (a selection made backwards).
    bool CaretAtSelectionStart() const { return caretAtStart_; }
    // Takes the range when its locations are valid in the text (the editing layer
    // follows, caret at the end or, with `caretAtStart`, at the start); false otherwise.
    bool SetSelection(const TTextorLocationRange& range, bool caretAtStart = false);
    // The selection as positions (an invalid one gives the text start).
    TTextorRange GetSelectionRange();
    // "%d,%d,%d,%d": start paragraph, start character, end paragraph, end character.
    String GetSelectionText() const;
    // Parses four comma-separated integers (a missing one counts 0) and selects that
    // range when it is valid.
    bool SetSelectionText(StringView text);

    // ---- editing (each one undoable step through the scheme's undo engine) ----
    // The selection replaced by `text` (a single CR: a paragraph break); null deletes it.
    void ReplaceSelection(const String* text, bool keepSelected);
    // The whole text replaced by `text`; a pending commit is done at once.
    void ReplaceAllText(StringView text);
    // Builds and runs one edit: `content` (copied; may be null) in the given filer mode
    // and options replaces what `kind` (and `range` for tekRange) names.
    void Edit(TTextEditKind kind, const TTextorLocationRange* range, bool keepSelected, const TKnot* content,
              int contentMode, int contentOptions);
    // Inserts a new element of `elementClass`, set up by its palette item (`value`: the
    // value text of the item's chosen sub-command), at the selection, or appended without
    // an editing layer, as one edit; on a line of its own when the text takes line breaks
    // and the element stands alone (teoElementOwnLine, or the item's pifOwnLine). Returns
    // the inserted element.
    TElement* InsertFromPalette(const TElementClass& elementClass, TPaletteItem* item, const String& value = {});
    // Whether the text takes elements of DataElementClass here.
    bool AcceptsDataElements();
    // A new element of DataElementClass that loaded the clipboard's data, inserted at the
    // selection; false when nothing was pasted.
    bool PasteDataElement();
    // A new data element for each file that one takes, loaded from the file.
    std::vector<std::unique_ptr<TElement>> LoadDroppedFiles(const std::vector<String>& fileNames);
    // Inserts new data elements at the selection as one edit; with "FocusNew" the first
    // one takes the focus.
    void InsertDataElements(std::vector<std::unique_ptr<TElement>> elements);
    // Inserts the elements (taken over; they must not be linked anywhere) at the
    // selection, or appended when the element has no selection, as one edit.
    void InsertElements(const std::vector<TElement*>& list);

    // ---- content format ----
    // Reads the content children of `node` (those not yet visited) into the text at `at`:
    // "Chars" as text, "Br" as a line break, any other knot as an embedded element.
    // `loaded` receives the range it took. Runs in one update of the scheme and the text.
    void LoadContent(TSchemeFiler& filer, TKnot& node, const TTextorPosition& at, TTextorRange& loaded);
    // The plain text of a content node: "Chars" values and CR LF per "Br"; false when the
    // node has any other child.
    static bool GetContentPlainText(TKnot& node, String& text);
    // The plain text of a range: characters, tabs, each element's own plain text, CR LF
    // per paragraph end.
    String GetRangePlainText(const TTextorRange& range);

    // The edit that the next relayout applies as the selection (set by edit operations).
    void SetPendingSelection(const TTextorLocationRange& range);
    // Applies a pending selection now (also called after every relayout).
    void ApplyPendingSelection();

    // ---- links ----
    // 7 to 2057 characters, beginning (case ignored) with "http", "https", "ftp", "file"
    // or "url" and "://" or ":\\", and at least 4 characters beyond that.
    static bool IsLinkWord(StringView word);
    // Every run of the paragraph without elements loses its formatting, and each link
    // word in it gets the hyperlink attributes (the default ones in blue, underlined).
    void DetectLinks(TParagraph& paragraph);

    // ---- editing layer (exists while the element has the focus) ----
    TSchemeTextorInteractive* Interactive() const { return interactive_.get(); }
    // The caret rectangle in the element's frame (for scrolling it into view); false
    // without an editing layer or before the text is laid out.
    bool GetCaretRect(TRect& rect);
    // The sheet settings behind the sheet's canvas, or none.
    TSheetSettings* SheetSettings() const;

    // ---- the text's hooks ----
    // Called by the text after every relayout.
    void AfterRelayout(bool contentChanged);
    // The text's content changed (not while reparsing).
    void TextChanged();
    // Width, height and descent from the text and the size limits.
    void ComputeSize(int& width, int& height, int& descent);

    // ---- virtual operations that text elements add, in slot order ----
    virtual void InitInteractive(TSchemeTextorInteractive& interactive);           // 1
    virtual void BeforeLayoutParagraph(TParagraph& paragraph);                     // 2
    virtual TTextorEditOperation* CreateEditOperation(bool hasContent);            // 3
    // Run attributes for a loaded "Chars" knot (none: the default attributes).
    virtual TTextAttributes* GetAttributesForKnot(TKnot* node);                    // 4
    // The content checks of the text options (element messages).
    virtual void CheckText();                                                      // 5
    virtual void UpdateSize();                                                     // 6
    virtual TTextAttributes* GetDefaultTextAttributes();                           // 7
    // The element that delegation goes to (a text element) or none.
    virtual TTextorElement* GetParentText();                                       // 8
    virtual bool GetFrameKind(TSheetThemeElement& kind);                           // 9
    virtual void GetSizeLimits(int& minWidth, int& maxWidth, int& minHeight);      // 10
    virtual void LinkClicked(TPortion* part);                                      // 11
    virtual bool DelegatesEvent(int code);                                         // 12
    virtual void PaintFrame(TSheetCanvas& canvas);                                 // 13
    virtual void ContentChanged();                                                 // 14
    virtual void NotifyParentContentChanged();                                     // 15
    // Writes the content of `range` (the whole text when none) into `node`.
    virtual void SaveContent(TSchemeFiler& filer, TKnot& node, const TTextorRange* range); // 16
    // The class whose elements take a picture pasted or a file dropped into the text
    // (none: such data is not taken); a delegating element asks the text around it.
    virtual const TElementClass* DataElementClass();                               // 17
    // Whether the clipboard holds data that an element of DataElementClass takes.
    virtual bool HasDataToPaste();                                                 // 18

    // ---- element operations ----
protected:
    void Create() override;
    void ChildrenChanged() override;

public:
    bool HasValue() override;
    bool IsEmpty() override;
    void CheckValue() override;
    void GetAcceptedClasses(TElementClassList& list) override;
    // Element items insert an element of their class; disabled while read-only.
    bool ExecutePaletteItem(TVisualElement* target, TPaletteItem* item, bool checked) override;
    bool ExecutePaletteSubItem(TVisualElement* target, TPaletteItem* item, const String& value) override;
    void GetPaletteItemState(TPaletteItem* item, TPaletteItemState& state) override;
    void LoadFromKnot(TSchemeFiler* filer, TKnot* knot) override;
    void SaveToKnot(TSchemeFiler* filer, TKnot* knot) override;
    void GetText(String& builder) override;
    bool HasSelection() override;
    void GetCaret(bool& visible, TRect& rect) override;
    TCursor GetCursor(TPoint point) override;
    void KeyDown(TKeyEvent& event) override;
    void KeyPress(TKeyEvent& event) override;
    void KeyUp(TKeyEvent& event) override;
    // Points go to the editing layer relative to the text (minus the padding).
    void MouseDown(const TPointerEvent& event) override;
    void MouseMove(const TPointerEvent& event) override;
    void MouseUp(const TPointerEvent& event) override;
    void CancelPress() override;
    // Embedded elements are painted by the text, on their rows.
    void PaintChildren(TSheetCanvas& canvas, int paintFlags) override;
    void RemoveVisualChild(TVisualElement* child) override;
    void GetAvailableSize(TVisualElement* child, int& width, int& height) override;
    void GetPadding(TRect& rect) override;
    void Paint(TSheetCanvas& canvas, int paintFlags) override;
    void UpdateLayout(bool attached, bool styleChanged, bool widthChanged, bool heightChanged) override;
    void ChildBoundsChanged(TVisualElement* child, const TRect& oldRect, int oldDescent) override;
    bool CanDelete() override;
    bool CanCopyText() override;
    bool CanCopy() override;
    bool CanPaste() override;
    void Delete() override;
    void CopyText() override;
    void Copy() override;
    // Text or content; without text, data that a new element of DataElementClass takes.
    bool Paste() override;
    // Each file that an element of DataElementClass takes becomes one such element.
    bool DropFiles(const std::vector<String>& fileNames) override;
    // The new elements go where the point is: the element takes the focus with the caret
    // there first.
    bool DropFilesAt(const std::vector<String>& fileNames, TPoint point) override;
    void SelectAll() override;
    void GetFocusData(String& text) override;
    // Takes the focus and places the caret: right after `from` (one of the text's
    // embedded elements) when going forward, right before it otherwise; else where
    // `focusData` says; else, when the focus comes sideways, at the start (forward) or
    // the end of the text; otherwise where the selection was.
    void SetFocus(bool horizontal, bool forward, std::optional<TPoint> point, TVisualElement* from,
                  const String& focusData) override;
    // Gaining the focus creates the editing layer, losing it drops the layer and commits
    // a pending change.
    void FocusChanged() override;

    // ---- find and replace (TextElementFind.cpp) ----
    // Searches the text from the selection (the text's start or end when the element is
    // not focused, right after or before `from` when the search comes back out of that
    // embedded element); embedded elements are searched when the search reaches them.
    bool FindNext(TFindMode mode, TFindData* findData, bool forward, TVisualElement*& next,
                  TVisualElement*& from) override;
    void ReplaceSelectedText(const String& text) override;

    // ---- drop-down list ----
    // Adds no items (subclasses add them first) and returns the item that stands for the
    // current text (FindDropDownItem).
    TDropDownItem* FillDropDown(TDropDownItem& rootItem) override;
    // False when read-only; otherwise the whole text becomes the item's Name.
    bool ApplyDropDownItem(TDropDownItem* item) override;
    // None when the text embeds elements; otherwise, in pre-order, the first item whose
    // Name equals the text, else the first that begins with it, else the one sharing the
    // longest beginning with it (one character at least); case-sensitive first, then,
    // unless voDropDownCaseSensitive is set, ignoring case.
    TDropDownItem* FindDropDownItem(TDropDownItem& rootItem);

protected:
    // Set by subclasses in Create.
    const Char* defaultValue_ = nullptr;
    uint32_t textOptions_ = 0;
    uint32_t options_ = 0;

private:
    friend class TTextorEditOperation;

    // Counts the embedded elements that are enabled and not comments, stopping at 2.
    int CountEmbeddedElements();
    // Links an embedded element into the tree before the element of the next element
    // portion after `pos`.
    TElement* ElementAfter(const TTextorPosition& pos);

    // The editing layer's notifications.
    void InteractiveNotify(TItfObject* sender, int notify, intptr_t param1, intptr_t param2);
    void CreateInteractive();
    void DropInteractive();
    TPoint TextPoint(TPoint point);

    std::unique_ptr<TSchemeTextor> text_;
    std::unique_ptr<TSchemeTextorInteractive> interactive_;
    bool caretAtStart_ = false;
    uint8_t textState_ = 0;
    int firstRowHeight_ = 0;
    bool commitPending_ = false;
    TTextorLocationRange selection_;
    TTextorLocationRange pendingSelection_;
    bool hasPendingSelection_ = false;
    bool contentChangedSinceLayout_ = false;
    bool layoutAttached_ = false; // the text's layout lock was released for the sheet
    int loading_ = 0;
};

} // namespace quillora
