#include "foundation/CodeWriters.h"

#include "foundation/NumberParse.h"

namespace quillora {

// ---- TCodeWriter ----

std::vector<String> TCodeWriter::Lines() const
{
    std::vector<String> lines;
    lines.reserve(lineStarts_.size());
    for (size_t i = 0; i < lineStarts_.size(); ++i) {
        size_t start = lineStarts_[i];
        size_t stop = i + 1 < lineStarts_.size() ? lineStarts_[i + 1] - 2 : buffer_.size();
        lines.emplace_back(buffer_, start, stop - start);
    }
    return lines;
}

String TCodeWriter::Text() const
{
    String text;
    if (lineStarts_.empty()) return text;
    text.reserve(buffer_.size() + 2);
    text = buffer_;
    text += u"\r\n";
    return text;
}

String TCodeWriter::TakeText()
{
    String text = std::move(buffer_);
    if (!lineStarts_.empty()) text += u"\r\n";
    Clear();
    return text;
}

void TCodeWriter::Clear()
{
    buffer_.clear();
    lineStarts_.clear();
    level_ = 0;
}

void TCodeWriter::BeginWrite()
{
    if (lineStarts_.empty()) lineStarts_.push_back(buffer_.size());
    if (autoIndent_ && level_ > 0 && indentSize_ > 0 && indentChar_ != 0 && buffer_.size() == lineStarts_.back())
        buffer_.append(static_cast<size_t>(indentSize_) * static_cast<size_t>(level_), indentChar_);
}

void TCodeWriter::Write(StringView text)
{
    BeginWrite();
    buffer_.append(text);
}

void TCodeWriter::WriteFmt(StringView format, std::initializer_list<StringView> args)
{
    String text;
    auto arg = args.begin();
    for (size_t i = 0; i < format.size(); ++i) {
        Char c = format[i];
        if (c == u'%' && i + 1 < format.size()) {
            if (format[i + 1] == u's') {
                if (arg != args.end()) text.append(*arg++);
                ++i;
                continue;
            }
            if (format[i + 1] == u'%') {
                text.push_back(u'%');
                ++i;
                continue;
            }
        }
        text.push_back(c);
    }
    if (!text.empty()) Write(text);
}

void TCodeWriter::NewLine()
{
    if (!lineBreaks_) return;
    if (!lineStarts_.empty()) buffer_ += u"\r\n";
    lineStarts_.push_back(buffer_.size());
}

// ---- TCustomXmlCodeWriter ----
// None of the pieces is ever empty, so they are appended directly.

TCustomXmlCodeWriter::TCustomXmlCodeWriter()
{
    SetIndentSize(1);
    SetIndentChar(u'\t');
}

void TCustomXmlCodeWriter::WriteTagOpen(StringView name)
{
    BeginWrite();
    Buffer().push_back(u'<');
    Buffer().append(name);
}

void TCustomXmlCodeWriter::WriteTagClose()
{
    BeginWrite();
    Buffer().push_back(u'>');
}

void TCustomXmlCodeWriter::WriteTagCloseEmpty()
{
    BeginWrite();
    Buffer().append(u"/>");
}

void TCustomXmlCodeWriter::WriteStartTag(StringView name)
{
    BeginWrite();
    Buffer().push_back(u'<');
    Buffer().append(name);
    Buffer().push_back(u'>');
}

void TCustomXmlCodeWriter::WriteEmptyTag(StringView name)
{
    BeginWrite();
    Buffer().push_back(u'<');
    Buffer().append(name);
    Buffer().append(u"/>");
}

void TCustomXmlCodeWriter::WriteEndTag(StringView name)
{
    BeginWrite();
    Buffer().append(u"</");
    Buffer().append(name);
    Buffer().push_back(u'>');
}

void TCustomXmlCodeWriter::WriteAttrName(StringView name)
{
    BeginWrite();
    Buffer().push_back(u' ');
    Buffer().append(name);
}

void TCustomXmlCodeWriter::WriteAttr(StringView name, StringView value)
{
    BeginWrite();
    String& b = Buffer();
    b.push_back(u' ');
    b.append(name);
    b.push_back(u'=');
    b.append(value);
}

void TCustomXmlCodeWriter::WriteAttrQuoted(StringView name, StringView value)
{
    BeginWrite();
    String& b = Buffer();
    b.push_back(u' ');
    b.append(name);
    b.append(u"=\"");
    b.append(value);
    b.push_back(u'"');
}

bool TCustomXmlCodeWriter::IsPlainValue(StringView value, bool doubledQuotes, bool& needsQuotes)
{
    needsQuotes = false;
    for (Char c : value) {
        if (doubledQuotes) {
            switch (c) {
            case u'"': return false;
            case u' ': case u'\t': case u'\n': case u'\r': case u'/': case u'>': needsQuotes = true; break;
            default: break;
            }
        } else {
            if ((c >= 1 && c <= 31) || c == u'"' || c == u'&' || c == u'<' || c == u'>') return false;
            if (c == u' ' || c == u'/') needsQuotes = true;
        }
    }
    return true;
}

String TCustomXmlCodeWriter::EscapeValue(StringView value, bool doubledQuotes, bool& needsQuotes)
{
    needsQuotes = false;
    String out;
    out.reserve(value.size() + 8);
    if (doubledQuotes) {
        for (Char c : value) {
            switch (c) {
            case u'"':
                out.push_back(u'"');
                needsQuotes = true;
                break;
            case u' ': case u'\t': case u'\n': case u'\r': case u'/': case u'>':
                needsQuotes = true;
                break;
            default:
                break;
            }
            out.push_back(c);
        }
        return out;
    }
    for (Char c : value) {
        if (c >= 1 && c <= 31) {
            out.append(u"&#");
            out.append(IntToString(c));
            out.push_back(u';');
            continue;
        }
        switch (c) {
        case u'"': out.append(u"&quot;"); continue;
        case u'&': out.append(u"&amp;"); continue;
        case u'<': out.append(u"&lt;"); continue;
        case u'>': out.append(u"&gt;"); continue;
        case u' ': case u'/': needsQuotes = true; break;
        default: break;
        }
        out.push_back(c);
    }
    return out;
}

namespace {
// The character an entity or character reference stands for; false when it is none
// of the recognised ones.
bool DecodeReference(StringView name, Char& c)
{
    if (name[0] == u'#') {
        int32_t code = 0;
        if (!TryParseInt32(name.substr(1), code) || code < 0 || code > 0xFFFF) return false;
        c = static_cast<Char>(code);
        return true;
    }
    if (name == u"quot") c = u'"';
    else if (name == u"lt") c = u'<';
    else if (name == u"gt") c = u'>';
    else if (name == u"amp") c = u'&';
    else return false;
    return true;
}
} // namespace

String TCustomXmlCodeWriter::UnescapeValue(StringView raw, int quoteCount, int ampersandCount)
{
    String reduced;
    StringView value = raw;
    if (quoteCount != 0) {
        // From the end, each pair of adjacent quotes loses one; the scan goes on before the
        // pair and ends after the pair that used up the last two counted quotes. The result
        // is built from the back.
        reduced.resize(raw.size());
        size_t w = raw.size();
        size_t i = raw.size();
        int remaining = quoteCount;
        while (i > 0) {
            if (remaining > 0 && i >= 2 && raw[i - 1] == u'"' && raw[i - 2] == u'"') {
                reduced[--w] = u'"';
                i -= 2;
                remaining -= 2;
            } else {
                reduced[--w] = raw[--i];
            }
        }
        reduced.erase(0, w);
        value = reduced;
    }
    if (ampersandCount == 0) return quoteCount != 0 ? reduced : String(raw);

    String out;
    out.reserve(value.size());
    size_t i = 0;
    const size_t n = value.size();
    while (i < n) {
        size_t amp = value.find(u'&', i);
        if (amp == StringView::npos) break;
        size_t semi = value.find(u';', amp + 1);
        if (semi == StringView::npos) break;
        Char c = 0;
        if (semi > amp + 1 && DecodeReference(value.substr(amp + 1, semi - amp - 1), c)) {
            out.append(value.substr(i, amp - i));
            out.push_back(c);
            i = semi + 1;
        } else {
            out.append(value.substr(i, amp + 1 - i));
            i = amp + 1;
        }
    }
    out.append(value.substr(i));
    return out;
}

} // namespace quillora
