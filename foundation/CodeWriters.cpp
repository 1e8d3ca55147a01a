#include "foundation/CodeWriters.h"

namespace quillora {

std::vector<String> TCodeWriter::Lines() const { return {}; }
String TCodeWriter::Text() const { return {}; }
void TCodeWriter::Clear() {}
void TCodeWriter::Write(StringView text) {}
void TCodeWriter::WriteFmt(StringView format, std::initializer_list<StringView> args) {}
void TCodeWriter::NewLine() {}
void TCodeWriter::BeginWrite() {}

TCustomXmlCodeWriter::TCustomXmlCodeWriter()
{
    SetIndentSize(1);
    SetIndentChar(u'\t');
}
void TCustomXmlCodeWriter::WriteTagOpen(StringView name) {}
void TCustomXmlCodeWriter::WriteTagClose() {}
void TCustomXmlCodeWriter::WriteTagCloseEmpty() {}
void TCustomXmlCodeWriter::WriteStartTag(StringView name) {}
void TCustomXmlCodeWriter::WriteEmptyTag(StringView name) {}
void TCustomXmlCodeWriter::WriteEndTag(StringView name) {}
void TCustomXmlCodeWriter::WriteAttrName(StringView name) {}
void TCustomXmlCodeWriter::WriteAttr(StringView name, StringView value) {}
void TCustomXmlCodeWriter::WriteAttrQuoted(StringView name, StringView value) {}
String TCustomXmlCodeWriter::EscapeValue(StringView value, bool doubledQuotes, bool& needsQuotes)
{
    needsQuotes = false;
    return String(value);
}
String TCustomXmlCodeWriter::UnescapeValue(StringView raw, int quoteCount, int ampersandCount) { return String(raw); }

} // namespace quillora
