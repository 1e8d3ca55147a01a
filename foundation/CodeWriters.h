#pragma once
// Writers that collect generated text in lines: TCodeWriter (lines, indentation) and
// the XML-like pieces of the knot format (TCustomXmlCodeWriter, TXmlCodeWriter).

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "foundation/Strings.h"

namespace quillora {

class TCodeWriter {
public:
    TCodeWriter() = default;
    virtual ~TCodeWriter() = default;

    // The output lines.
    std::vector<String> Lines() const;
    int LineCount() const { return static_cast<int>(lineStarts_.size()); }
    // Every line followed by CR LF, the last one included.
    String Text() const;
    // Text, taking the writer's buffer: the writer is empty afterwards.
    String TakeText();
    void Clear();

    int32_t IndentSize() const { return indentSize_; }
    void SetIndentSize(int32_t size) { indentSize_ = size; }
    Char IndentChar() const { return indentChar_; }
    void SetIndentChar(Char c) { indentChar_ = c; }
    int32_t Level() const { return level_; }
    void SetLevel(int32_t level) { level_ = level; }
    bool AutoIndent() const { return autoIndent_; }
    void SetAutoIndent(bool value) { autoIndent_ = value; }
    bool LineBreaks() const { return lineBreaks_; }
    void SetLineBreaks(bool value) { lineBreaks_ = value; }

    // Appends to the last line (creating the first line when there is none); the first
    // text of an empty line is preceded by the indentation when AutoIndent is on.
    virtual void Write(StringView text);
    // Fills each "%s" of `format` with the next argument ("%%" gives "%") and writes the
    // result unless it is empty.
    void WriteFmt(StringView format, std::initializer_list<StringView> args);
    // Appends an empty line when LineBreaks is on.
    void NewLine();
    void IncLevel() { ++level_; }
    void DecLevel() { --level_; }

protected:
    // Prepares the last line for `text`: creates it or indents it as Write does.
    void BeginWrite();
    String& Buffer() { return buffer_; }

private:
    String buffer_;                  // the lines joined by CR LF
    std::vector<size_t> lineStarts_; // where each line starts in buffer_
    int32_t indentSize_ = 0;
    Char indentChar_ = 0;
    int32_t level_ = 0;
    bool autoIndent_ = true;
    bool lineBreaks_ = true;
};

// The pieces append to the line buffer directly; each gives what WriteFmt with its
// format would write.
class TCustomXmlCodeWriter : public TCodeWriter {
public:
    TCustomXmlCodeWriter();

    void WriteTagOpen(StringView name);     // "<name"
    void WriteTagClose();                   // ">"
    void WriteTagCloseEmpty();              // "/>"
    void WriteStartTag(StringView name);    // "<name>"
    void WriteEmptyTag(StringView name);    // "<name/>"
    void WriteEndTag(StringView name);      // "</name>"
    void WriteAttrName(StringView name);    // " name"
    void WriteAttr(StringView name, StringView value);        // " name=value"
    void WriteAttrQuoted(StringView name, StringView value);  // " name="value""

    // True when `value` comes out of EscapeValue unchanged; `needsQuotes` as EscapeValue
    // would set it. Lets writers skip the copy for the common plain values.
    static bool IsPlainValue(StringView value, bool doubledQuotes, bool& needsQuotes);
    // The escaped form of an attribute value: entity references, or with `doubledQuotes`
    // quotation marks doubled. `needsQuotes` tells whether the value must be quoted.
    static String EscapeValue(StringView value, bool doubledQuotes, bool& needsQuotes);
    // The value of a raw attribute text: doubled quotation marks reduced (when
    // `quoteCount` is not 0), then character and entity references decoded (when
    // `ampersandCount` is not 0).
    static String UnescapeValue(StringView raw, int quoteCount, int ampersandCount);
};

class TXmlCodeWriter : public TCustomXmlCodeWriter {};

} // namespace quillora
