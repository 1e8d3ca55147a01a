#pragma once
// The in-memory form of the one text tree format of all files: named knots with ordered
// named parameters and ordered children, and the reader and writer of its text.

#include <cstdint>
#include <memory>
#include <vector>

#include "foundation/CodeWriters.h"
#include "foundation/Colors.h"
#include "foundation/Encoding.h"
#include "foundation/FontData.h"
#include "foundation/FormPlacement.h"
#include "foundation/Node.h"
#include "foundation/Streams.h"
#include "foundation/Strings.h"

namespace quillora {

using TKnotOptions = uint16_t;

constexpr TKnotOptions koList = 0x0001;           // children form a list (indexed paths)
constexpr TKnotOptions koUniqueParams = 0x0002;   // AddParam reuses a parameter of that name
constexpr TKnotOptions koSkipEmpty = 0x0004;      // the writer leaves out empty children
constexpr TKnotOptions koUnquotedValues = 0x0008; // values that allow it are written without quotes
constexpr TKnotOptions koNoIndent = 0x0010;       // lines of this knot are not indented
constexpr TKnotOptions koNoLineBreaks = 0x0020;   // no line break while this knot is written
constexpr TKnotOptions koInline = 0x0040;         // continues the line of the preceding sibling
constexpr TKnotOptions koDoubledQuotes = 0x0080;  // escape by doubling quotes, not by entities
constexpr TKnotOptions koColorHash = 0x0100;      // hexadecimal colours get a leading "#"
constexpr TKnotOptions koColorNoNames = 0x0200;   // colours always in hexadecimal form

// The reader nests knots at most this deep (the reading knot is level 0); deeper text is corrupt.
constexpr int MaxKnotDepth = 1000;

enum TKnotParamKind : uint8_t {
    pkNone = 0,      // a name without a value
    pkText = 1,      // a text value
    pkStream = 2,    // a binary value in a stream the parameter owns
    pkStreamRef = 3, // a binary value in a stream the caller owns
};

class TKnot;

class TKnotParam {
public:
    TKnotParam(TKnot* owner, String name) : owner_(owner), name_(std::move(name)) {}
    TKnotParam(const TKnotParam&) = delete;
    TKnotParam& operator=(const TKnotParam&) = delete;

    TKnot* Owner() const { return owner_; }
    const String& Name() const { return name_; }
    TKnotParamKind Kind() const { return kind_; }
    // Changing the kind frees an owned stream and empties the text.
    void SetKind(TKnotParamKind kind);
    const String& Text() const { return text_; }
    // Makes the parameter pkText with that text.
    void SetText(String text);
    // The stream of a pkStream or pkStreamRef value; null otherwise.
    TMemoryStream* Stream() const { return stream_; }
    // Makes the parameter pkStream with a copy of the whole stream.
    void SetStream(const TMemoryStream& stream);
    // Makes the parameter pkStreamRef; the caller keeps `stream` alive meanwhile.
    void SetStreamRef(TMemoryStream* stream);

    // pkText: the text; binary: two uppercase hex digits per byte; pkNone: "".
    String TextForm() const;

    bool Visited() const { return visited_; }
    void SetVisited(bool value) { visited_ = value; }
    // The owner's path, ".", the name.
    String GetPath() const;
    // The next parameter of the owner, in order; null after the last.
    TKnotParam* Next() const { return next_; }

private:
    friend class TKnot;
    friend class TKnotReader;
    void FreeStream();

    TKnot* owner_;
    TKnotParam* next_ = nullptr;
    String name_;
    String text_;
    TMemoryStream* stream_ = nullptr;
    std::unique_ptr<TMemoryStream> ownedStream_;
    TKnotParamKind kind_ = pkNone;
    bool visited_ = false;
};

class TKnot : public TNode {
public:
    explicit TKnot(String name = {});
    // Frees the subtree without recursion, so a tree of any depth can be freed.
    ~TKnot() override;

    const String& Name() const { return name_; }
    void SetName(String name) { name_ = std::move(name); }

    // ---- tree ----
    // A new last child with that name.
    TKnot* AddKnot(StringView name);
    // The first child after `after` (from the first when null) named exactly `name`;
    // marks it visited. Null when there is none.
    TKnot* FindKnot(StringView name, TKnot* after = nullptr);
    // FindKnot, or else a new child (marked visited).
    TKnot* GetKnot(StringView name);
    // Names joined by "."; with `create` every step uses GetKnot, otherwise FindKnot.
    TKnot* GetKnotByPath(StringView path, bool create = false);
    // The node links; each marks the knot it returns visited.
    TKnot* FirstKnot();
    TKnot* LastKnot();
    TKnot* NextKnot();
    TKnot* ParentKnot();
    int KnotCount() const { return ChildCount(); }

    // A deep copy of `source`: name, included and excluded options, parameters (owned
    // streams copied, stream references shared) and children. Inherited options and the
    // visited and corrupt flags are not copied.
    void Assign(const TKnot& source);
    // Empties name, included and excluded options, parameters and children; clears the
    // visited and corrupt flags. The inherited options stay.
    void Clear();
    void ClearParams();

    // ---- options ----
    TKnotOptions InheritedOptions() const { return inheritedOptions_; }
    TKnotOptions IncludedOptions() const { return includedOptions_; }
    TKnotOptions ExcludedOptions() const { return excludedOptions_; }
    // Sets the inherited options of this knot and of its subtree (a knot that already
    // holds the value is left alone together with its subtree).
    void SetOptions(TKnotOptions options);
    void SetIncludedOptions(TKnotOptions options) { includedOptions_ = options; }
    void SetExcludedOptions(TKnotOptions options) { excludedOptions_ = options; }
    // Adds koList to the included options.
    void SetList() { includedOptions_ |= koList; }
    // Inherited without excluded, plus included.
    TKnotOptions Options() const
    {
        return static_cast<TKnotOptions>((inheritedOptions_ & ~excludedOptions_) | includedOptions_);
    }
    // No parameters and, with koList, no children; without koList, every child empty.
    bool IsEmpty() const;

    // ---- parameters ----
    int ParamCount() const { return paramCount_; }
    // The parameter at that position (walks the list); null when out of range.
    TKnotParam* ParamAt(int index) const;
    // The parameters in order: FirstParam, then each one's Next.
    TKnotParam* FirstParam() const { return firstParam_; }
    // The first parameter named exactly `name`, or null; does not mark it.
    TKnotParam* FindParam(StringView name) const;
    // FindParam that marks the parameter visited.
    bool ParamExists(StringView name);
    // With koUniqueParams the parameter of that name if there is one; otherwise a new
    // pkNone parameter at the end.
    TKnotParam* AddParam(StringView name);

    // ---- typed reading (never raises; marks the parameter used visited) ----
    String ReadString(StringView name, StringView defaultValue = {});
    // Default when absent or not a number, or outside min..max when min != max.
    int32_t ReadInteger(StringView name, int32_t defaultValue, int32_t min = 0, int32_t max = 0);
    bool ReadBool(StringView name, bool defaultValue);
    TColor ReadColor(StringView name, TColor defaultValue);
    // Fills `stream` with the binary value; false on invalid hexadecimal text.
    bool ReadStream(StringView name, TMemoryStream& stream);
    void ReadFont(TFontData& font);
    void ReadFormPlacement(TPlacementForm& form);

    // ---- typed writing (through AddParam) ----
    void WriteString(StringView name, StringView value);
    void WriteInteger(StringView name, int32_t value);
    void WriteBool(StringView name, bool value);
    void WriteColor(StringView name, TColor color);
    // A copy of the whole stream (from position 0).
    void WriteStream(StringView name, const TMemoryStream& stream);
    // A reference: the caller keeps `stream` alive until the tree is written or freed.
    void WriteStreamRef(StringView name, TMemoryStream* stream);
    void WriteFont(const TFontData& font);
    void WriteFormPlacement(const TPlacementForm& form);

    // ---- loading and saving ----
    // Reads the file (byte-order mark rules) and parses it into this knot. A missing file
    // raises "File not found: %1", other read errors the platform's message; the tree is
    // unchanged then. Faulty text never raises: Corrupt() tells.
    void LoadFromFile(const String& fileName);
    // The stream's bytes from its position to its end.
    void LoadFromStream(TMemoryStream& stream);
    void LoadFromText(StringView text);
    // Creates or truncates the file; raises when it cannot be written.
    void SaveToFile(const String& fileName, TTextEncoding encoding = TTextEncoding::Ansi);
    // The encoding's byte-order mark (none for Ansi), then the text, encoded.
    void SaveToStream(TMemoryStream& stream, TTextEncoding encoding = TTextEncoding::Ansi);
    String SaveToText();
    // Writes this knot and its subtree.
    void WriteTo(TCustomXmlCodeWriter& writer);

    // ---- diagnostics ----
    // "Parent.Name", or "Parent.Name[i]" (1-based) below a koList parent; a root: its name.
    String GetPath() const;
    // Collects the unvisited children (not entering them) and the unvisited parameters of
    // this knot and of the visited knots below; true when anything was found.
    bool FindUnread(std::vector<TKnot*>* knots, std::vector<TKnotParam*>* params);
    // Sets the visited flag of the knot, its parameters and its whole subtree.
    void MarkVisited(bool value);
    bool IsVisited() const { return visited_; }
    void SetVisited(bool value) { visited_ = value; }
    // Set on the knot that parsed a faulty text; cleared by Clear and the next read.
    bool Corrupt() const { return corrupt_; }

protected:
    // A knot attached to a parent takes over the parent's inherited options.
    void ParentChanged() override;

private:
    friend class TKnotReader;

    void AppendParam(TKnotParam* param);

    String name_;
    TKnotParam* firstParam_ = nullptr; // owned chain
    TKnotParam* lastParam_ = nullptr;
    int paramCount_ = 0;
    TKnotOptions inheritedOptions_ = 0;
    TKnotOptions includedOptions_ = 0;
    TKnotOptions excludedOptions_ = 0;
    bool visited_ = false;
    bool corrupt_ = false;
};

} // namespace quillora
