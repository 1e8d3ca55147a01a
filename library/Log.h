#pragma once
// The log: a read-only rich text (TLogRoot, the root of the log's own scheme) into which
// every message of the document is written as one line, led by a sign for its kind
// (TElement_Sign), with the parts that point somewhere turned into links. A click on a
// link shows the elements it names (OnShowElements) or opens the file it names
// (OnOpenFile).
//
// The document's messages live in DocumentMessages(), a list of their own: the element's
// own Messages() are those of its checks, which each check clears and frees, so the two
// must never be the same list.

#include <cstdint>
#include <functional>
#include <vector>

#include "elements/Messages.h"
#include "text/TextElement.h"

namespace quillora {

class TLogSettings;
class TRichTextAttributes;
class TSchemeImages;

// Options of the log text: content mode, no non-printing characters, no maximum width,
// filling the space its parent offers.
constexpr uint32_t LogRootOptions = teoContent | teoNoNonPrinting | teoNoMaxWidth | teoFillWidth | teoFillHeight;
static_assert(LogRootOptions == 0x44400011);
// Letters, digits, underscore, spaces, line breaks and other characters; no tabs.
constexpr uint32_t LogRootTextOptions = 111;

// The colour of a link that was clicked (maroon).
constexpr TColor LogVisitedLinkColor = 0x000080;

// The log's sign pictures: 9 x 9 images cut from the resource "diLogImages" (hint,
// warning, error), loaded on first use.
inline constexpr const char16_t* LogImagesResourceName = u"diLogImages";
TSchemeImages& LogImages();
// The default text attributes of every log text: the face and size of the platform's
// message font (Service<TSettingsPlatform>()), all else at the defaults; made on first
// use and kept until program end.
TRichTextAttributes* LogTextAttributes();

// The image of a sign of message kind `kind`: 0 for hints, 1 for warnings and value
// faults, 2 for errors; -1 (nothing drawn) for information and unknown kinds.
int LogSignImage(int kind);

// The sign in front of a log line. Stored as "Sign" with its "Kind"; left out when the
// text around it is copied.
class TElement_Sign : public TVisualElement {
public:
    QUILLORA_ELEMENT_CLASS(TElement_Sign, TVisualElement)
    static constexpr int Size = 9;

    int Kind() const { return kind_; }
    void SetKind(int kind);

    void Paint(TSheetCanvas& canvas, int paintFlags) override;
    void LoadFromKnot(TSchemeFiler* filer, TKnot* knot) override;
    void SaveToKnot(TSchemeFiler* filer, TKnot* knot) override;

protected:
    void Create() override;

private:
    int kind_ = 0;
};

class TLogRoot : public TTextorElement {
public:
    QUILLORA_ELEMENT_CLASS(TLogRoot, TTextorElement)
    ~TLogRoot() override;

    // The document's messages (the document scheme reports into this list). Each message
    // added is written as a line; clearing the list empties the text.
    TElementMessages& DocumentMessages() { return documentMessages_; }
    // The settings that decide which kinds are written (none: every kind). Must outlive
    // the root or be reset.
    void SetSettings(TLogSettings* settings) { settings_ = settings; }
    // Set whenever the content changes.
    bool ContentChangedFlag() const { return contentChangedFlag_; }

    // Set by the edit form; each is called only when set.
    std::function<void()> OnChange;
    std::function<void(const std::vector<int32_t>& ids)> OnShowElements;
    std::function<void(const String& fileName)> OnOpenFile;

    // Runs the link of a run as a click on it: "E" shows the elements (a list of
    // identifiers that does not parse does nothing), "F" opens the file, "S" beeps; then
    // the run turns maroon unless the handler changed the log.
    void LinkClicked(TPortion* part) override;

    void GetAcceptedClasses(TElementClassList& list) override;
    void GetPadding(TRect& rect) override;
    // The log text attributes (below).
    TTextAttributes* GetDefaultTextAttributes() override;
    TTextAttributes* GetAttributesForKnot(TKnot* node) override;
    void ContentChanged() override;

protected:
    void Create() override;

private:
    void MessageAdding(TElementMessage& message, bool& accept);
    void MessageAdded(TElementMessage& message);
    void MessagesCleared();
    void LogChanged();

    TElementMessages documentMessages_;
    TLogSettings* settings_ = nullptr;
    bool contentChangedFlag_ = false;
};

// Registers TElement_Sign and TLogRoot (once).
void RegisterLogClasses();

// Parses "E" link values: decimal identifiers separated by commas (no spaces). False when
// an item is not a number.
bool ParseElementIds(StringView text, std::vector<int32_t>& ids);

// Copies the check messages of every faulty element of `scheme` (kinds 2 to 5) into
// `messages`, in the order the elements were registered; returns how many were added.
int ReportElementMessages(const TScheme& scheme, TElementMessages& messages);

} // namespace quillora
