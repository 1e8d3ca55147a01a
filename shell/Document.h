#pragma once
// The snippet document: its root element (a rich text whose non-empty paragraphs are
// the snippets) and the document class that owns it.

#include "shell/TrayAppDocument.h"
#include "text/TextElement.h"

namespace quillora {

class TLogRoot;
class TTextor;

class TQuilloraRoot : public TTextorElement {
public:
    QUILLORA_ELEMENT_CLASS(TQuilloraRoot, TTextorElement)

    // The classes of the macro group first, then those of a text element, without
    // logic frames.
    void GetAcceptedClasses(TElementClassList& list) override;
    void GetPadding(TRect& rect) override;

protected:
    void Create() override;
};

class TQuilloraDocument : public TTrayAppDocument {
public:
    ~TQuilloraDocument() override;
    // The log: a scheme of its own (read-only, no undo) whose root's message list is the
    // list the document reports into.
    TScheme* LogScheme() const { return logScheme_.get(); }
    TLogRoot* LogRoot() const;
    TQuilloraRoot* QuilloraRoot() const;
    // The root's text.
    TTextor& Text() const;

    // The three paragraphs of a first start, put into an empty root directly (no undo
    // step, no change): "Type text here and press", `dropDownHotKey`, "in any editor".
    // False when the root held text.
    bool SetStarterText(const String& dropDownHotKey);
    // Replaces every snippet with the content of the data file `fileName` as one
    // undoable edit. A missing file raises "File not found: %1". A file that is no
    // snippet file (its root is not this document's, as with any plain text), whose
    // text is corrupt, whose format is newer, or that holds no snippet, is refused
    // with sidImportRefused and changes nothing: an import never empties the document.
    void ImportFile(const String& fileName);
    // Saves the document to `fileName` (no backup); the scheme then names that file.
    void ExportFile(const String& fileName);

protected:
    std::unique_ptr<TScheme> CreateScheme() override;
    friend class TTrayAppDocument;

private:
    std::unique_ptr<TScheme> logScheme_;
};

// The file name an export suggests for the day: "yyyy_mm_dd".
String ExportFileNameForDay(int year, int month, int day);

} // namespace quillora
