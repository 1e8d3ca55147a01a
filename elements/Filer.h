#pragma once
// Filers carry the context of one transfer of an element tree to or from a knot tree:
// the mode (document file, clipboard, exact copy), the options, the knot, and for
// loading the receiving scheme, the report list and the format version.
//
// An element that a container stores is one knot named by the element's type name,
// holding "ID" (exact copies and identified elements), one knot per part (or the part's
// items directly, for parts saved inline), "Disabled", "Left"/"Top", the class's own
// items and one knot per stored child. The functions at the end are the base behaviour
// of the element's persistence slots.

#include <cstdint>
#include <vector>

#include "elements/ElementClass.h"
#include "foundation/Strings.h"

namespace quillora {

class TElement;
class TElementMessages;
class TKnot;
class TScheme;
class TVisualElement;

// ---- modes ----
constexpr int smDocument = 0;  // a document file
constexpr int smClipboard = 1; // a clipboard copy
constexpr int smExactCopy = 2; // an undo snapshot: identifiers, transient parts, nothing unread reported

// ---- option bits ----
constexpr int soInProcess = 0x01;         // live references allowed; loaded elements get esLoaded
constexpr int soStreamRefs = 0x02;        // binary data as references to the element's streams
constexpr int soClipboard = 0x04;         // a clipboard copy
constexpr int soNoPositions = 0x08;       // "Left" and "Top" neither written nor read
constexpr int soSkipDisabled = 0x10;      // disabled children left out
constexpr int soSkipUnsupported = 0x20;   // children of unknown classes left out
constexpr int soSkipComments = 0x40;      // comments left out, as children and as parts
constexpr int soSkipDefaults = 0x80;      // parts and children in their default state left out

// ---- clipboard ----
// The root knot of element content on the clipboard (its knot text as Unicode text).
inline constexpr const char16_t* ClipboardContentName = u"LoomwiseContent";
// The registered formats of data elements: the data bytes, and the data type as UTF-16
// text with a terminating zero.
inline constexpr const char16_t* BinaryDataFormatName = u"Loomwise Binary Data";
inline constexpr const char16_t* BinaryDataTypeFormatName = u"Loomwise Binary Data Type";

// ---- format version: major * 1000 + minor ----
constexpr int32_t CurrentFormatVersion = 1200;
// The version as written: "%d.%s" of major and minor, the minor part without trailing
// "0" while it has two characters or more (1200 -> "1.2", 1250 -> "1.25", 2000 -> "2.0").
String FormatVersionText(int32_t version);
// The version of a "FormatVersion" text: with a ".", the part before it (default 1)
// * 1000 plus the part after it padded with "0" to three characters (default 0);
// without, its value (default 1) * 1000. Values beyond the 32-bit range are capped.
int32_t ParseFormatVersion(StringView text);

class TSchemeFiler {
public:
    // `knot` none: the filer creates and owns one.
    TSchemeFiler(int mode, TKnot* knot, int options);
    TSchemeFiler(const TSchemeFiler&) = delete;
    TSchemeFiler& operator=(const TSchemeFiler&) = delete;
    virtual ~TSchemeFiler();

    int Mode() const { return mode_; }
    int Options() const { return options_; }
    bool HasOption(int bits) const { return (options_ & bits) != 0; }
    bool IsExactCopy() const { return mode_ == smExactCopy; }
    TKnot* Knot() const { return knot_; }
    bool OwnsKnot() const { return ownsKnot_; }

private:
    int mode_;
    int options_;
    TKnot* knot_;
    bool ownsKnot_;
};

class TSchemeSaver : public TSchemeFiler {
public:
    TSchemeSaver(int mode, TKnot* knot, int options) : TSchemeFiler(mode, knot, options) {}
    // Writes "FormatVersion" = "1.2" into the knot.
    void WriteFormatVersion();
};

class TSchemeLoader : public TSchemeFiler {
public:
    // Reads the format version, begins an update of the scheme and reports a corrupt
    // text (2327) and a newer version (2328) into `messages` (none: a silent load).
    TSchemeLoader(TScheme* scheme, TElementMessages* messages, TKnot* knot, int options, int mode);
    // Finishes the load when Finish was not called (reports that fail are lost here).
    ~TSchemeLoader() override;

    // Ends the load once: ends the scheme's update (deferred checks run), reports every
    // knot (2329) and parameter (2330) that no element read (not in exact copies), and
    // frees an owned knot. Later calls do nothing.
    void Finish();

    TScheme* LoaderScheme() const { return scheme_; }
    TElementMessages* LoaderMessages() const { return messages_; }
    int32_t FormatVersion() const { return formatVersion_; }

    // Pairs (stored identifier, identifier of the new element) for identified elements
    // read outside exact copies.
    const std::vector<int32_t>& StoredIDs() const { return storedIDs_; }
    const std::vector<int32_t>& NewIDs() const { return newIDs_; }
    void AddIDPair(int32_t storedID, int32_t newID);
    // The new identifier of an element stored as `storedID`; 0 when none was recorded.
    int32_t FindNewID(int32_t storedID) const;

private:
    TScheme* scheme_;
    TElementMessages* messages_;
    int32_t formatVersion_ = CurrentFormatVersion;
    std::vector<int32_t> storedIDs_;
    std::vector<int32_t> newIDs_;
    bool updating_ = false;
    bool finished_ = false;
};

// The loader behind `filer`, or none when it saves.
TSchemeLoader* AsLoader(TSchemeFiler* filer);

// ---- base behaviour of the persistence slots ----

// TElement::ShouldSavePart: false when, outside exact copies, the part is transient,
// or when comments are left out and the part is one.
bool ElementShouldSavePart(const TSchemeFiler& filer, const TElement& part);
// TElement::SavesInline: a part with efSavedInline, outside exact copies.
bool ElementSavesInline(const TElement& element, const TSchemeFiler& filer);
// TVisualElement::ShouldSaveChild: false for a disabled child with soSkipDisabled, a
// comment with soSkipComments, an element of an unknown class with soSkipUnsupported.
bool ElementShouldSaveChild(const TSchemeFiler& filer, const TElement& child);

// TElement::SaveToKnot: "ID" (exact copies, identified elements), then every part that
// is saved: inline into `knot`, or as a knot of its own named by its GetKnotName (an
// empty one removed again unless the part is a value element that is not empty).
void SaveElementItems(TElement& element, TSchemeFiler& filer, TKnot& knot);
// TElement::LoadFromKnot: the identifier (exact copies take the stored one and raise
// the counter; identified elements record the pair in the loader), esLoaded with
// soInProcess, IDChanged, then every part (not the transient ones outside exact
// copies) from `knot` itself or from the first child knot of its knot name.
void LoadElementItems(TElement& element, TSchemeFiler& filer, TKnot& knot);
// TVisualElement's additions: "Disabled" = "1" when disabled; "Left" and "Top" for
// voStorePosition elements unless soNoPositions.
void SaveVisualElementItems(TVisualElement& element, TSchemeFiler& filer, TKnot& knot);
// Reads "Disabled" (voCanDisable elements only) and the position (applied with
// SetBounds, keeping size and descent).
void LoadVisualElementItems(TVisualElement& element, TSchemeFiler& filer, TKnot& knot);
// TElement::SaveTo: a saver on `knot` (not owned) and element.SaveToKnot.
void SaveElementTo(TElement& element, TKnot& knot, int mode, int options);

// TElement::SaveChildToKnot: none when the child is left out (ShouldSaveChild of a
// visual container, or IsDefault with soSkipDefaults); otherwise a new last knot of
// `knot` named by the child's type name, filled by the child's SaveToKnot.
TKnot* SaveChildElement(TElement& container, TElement& child, TSchemeFiler& filer, TKnot& knot);
// TElement::CreateChildFromKnot: the class of `acceptedClasses` whose type name is the
// knot's class name, else the container's class for unknown elements; the element is
// created in the container's scheme, linked before `before` and loaded from `knot`.
// On failure it is destroyed and the error passes on.
TElement* CreateChildElement(TElement& container, TSchemeFiler& filer, TKnot& knot, TElement* before,
                             const TElementClassList& acceptedClasses);
// Saves every child that is not a part (SaveChildElement), in order.
void SaveChildElements(TElement& container, TSchemeFiler& filer, TKnot& knot);
// Reads every child knot of `knot` not yet visited as a child element, appended in order,
// with the container's filtered accepted classes.
void LoadChildElements(TElement& container, TSchemeFiler& filer, TKnot& knot);

} // namespace quillora
