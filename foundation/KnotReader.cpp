#include "foundation/KnotReader.h"

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quillora {

namespace {

inline bool IsSpace(Char c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }

// Ends a tag token: whitespace, quote, "/", "<", "=" or ">".
inline bool EndsToken(Char c)
{
    switch (c) {
    case u' ': case u'\t': case u'\n': case u'\r':
    case u'"': case u'/': case u'<': case u'=': case u'>':
        return true;
    default:
        return false;
    }
}

} // namespace

class TKnotReader::Parser {
public:
    Parser(const Char* begin, const Char* end) : p_(begin), end_(end) {}

    bool ParseDocument(TKnot& root);

private:
    enum class TagResult { Complete, Content };
    enum class ContentResult { Complete, Child };

    void SkipSpace()
    {
        while (p_ < end_ && IsSpace(*p_)) ++p_;
    }
    const Char* Find(const Char* from, Char c) const
    {
        for (; from < end_; ++from)
            if (*from == c) return from;
        return nullptr;
    }
    // Moves to the next "<", or to the end of the text when there is none.
    void SkipToTag()
    {
        const Char* lt = Find(p_, u'<');
        p_ = lt ? lt : end_;
    }

    // Inside quotes: moves to the next quote or "&" (or the end).
    void SkipQuotedText()
    {
#if defined(__SSE2__)
        const __m128i quote = _mm_set1_epi16(u'"');
        const __m128i amp = _mm_set1_epi16(u'&');
        while (end_ - p_ >= 8) {
            const __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p_));
            const int mask = _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi16(units, quote), _mm_cmpeq_epi16(units, amp)));
            if (mask) {
                p_ += std::countr_zero(static_cast<unsigned>(mask)) / 2;
                return;
            }
            p_ += 8;
        }
#endif
        while (p_ < end_ && *p_ != u'"' && *p_ != u'&') ++p_;
    }

    void ParseElements(TKnot& root);
    TagResult ParseStartTag(TKnot& knot);
    ContentResult ParseContent(TKnot& knot);
    void ReadValue(TKnotParam& param);

    const Char* p_;
    const Char* const end_;
    bool error_ = false;
};

bool TKnotReader::Parser::ParseDocument(TKnot& root)
{
    if (p_ == end_) return false;
    SkipSpace();
    if (p_ == end_ || *p_ != u'<') return false;
    const Char* look = p_ + 1;
    while (look < end_ && IsSpace(*look)) ++look;
    if (look < end_ && *look == u'?') {
        // A leading declaration: to the next "?" (this one), the next ">", the next "<".
        const Char* gt = Find(look, u'>');
        const Char* lt = gt ? Find(gt, u'<') : nullptr;
        if (!lt) return false;
        p_ = lt;
    }
    ParseElements(root);
    if (error_) return false;
    SkipSpace();
    return p_ == end_;
}

// The elements are parsed with the knots themselves as the stack: `knot` is the element
// being read, its parent the one to return to when it is complete.
void TKnotReader::Parser::ParseElements(TKnot& root)
{
    TKnot* knot = &root;
    int depth = 0;
    bool inContent = ParseStartTag(*knot) == TagResult::Content;
    for (;;) {
        if (inContent) {
            if (ParseContent(*knot) == ContentResult::Child) {
                if (depth >= MaxKnotDepth) {
                    // Too deep to be a sound text: stop reading here.
                    error_ = true;
                    p_ = end_;
                    continue;
                }
                knot = knot->AddKnot({});
                ++depth;
                inContent = ParseStartTag(*knot) == TagResult::Content;
                continue;
            }
        }
        // `knot` is complete.
        if (knot == &root) return;
        knot = static_cast<TKnot*>(knot->Parent());
        --depth;
        inContent = true;
    }
}

TKnotReader::Parser::TagResult TKnotReader::Parser::ParseStartTag(TKnot& knot)
{
    // At the "<" that opens the element.
    bool named = false;
    for (;;) {
        // Step past the current character and skip whitespace.
        if (p_ < end_) ++p_;
        SkipSpace();
        if (p_ == end_) {
            error_ = true;
            return TagResult::Complete;
        }
        if (*p_ == u'<') {
            error_ = true;
            return TagResult::Content;
        }
        // A token.
        const Char* start = p_;
        while (p_ < end_ && !EndsToken(*p_)) ++p_;
        if (!named) {
            if (p_ == start) error_ = true;
            knot.name_.assign(start, p_);
            named = true;
        } else if (p_ != start) {
            auto* param = new TKnotParam(&knot, String(start, p_));
            knot.AppendParam(param);
            if (p_ < end_ && *p_ == u'=') {
                ++p_;
                ReadValue(*param);
            }
        }
        // At the character that ended the token or the value.
        if (p_ == end_) continue; // reported by the next round
        Char c = *p_;
        if (c == u'/') {
            ++p_;
            SkipSpace();
            if (p_ == end_) {
                error_ = true;
                return TagResult::Complete;
            }
            if (*p_ == u'>') {
                ++p_;
                return TagResult::Complete;
            }
            error_ = true;
            if (*p_ == u'<') return TagResult::Complete;
            continue;
        }
        if (c == u'>') {
            ++p_;
            return TagResult::Content;
        }
        if (c == u'<') {
            // A tag that opens before this one is closed: the content starts here.
            error_ = true;
            return TagResult::Content;
        }
    }
}

void TKnotReader::Parser::ReadValue(TKnotParam& param)
{
    // Right after "=": up to whitespace, "/" or ">" outside quotes, or the end.
    const Char* start = p_;
    bool quoted = false;
    int quotes = 0;
    int ampersands = 0;
    for (; p_ < end_; ++p_) {
        if (quoted) SkipQuotedText();
        if (p_ == end_) break;
        Char c = *p_;
        if (c > u'>') continue; // none of the characters below
        if (c == u'"') {
            quoted = !quoted;
            ++quotes;
        } else if (c == u'&') {
            ++ampersands;
        } else if (!quoted && (IsSpace(c) || c == u'/' || c == u'>')) {
            break;
        }
    }
    if (quoted) error_ = true; // the text ended inside quotes
    if (p_ == start) return;   // an empty value: pkNone
    const Char* first = start;
    const Char* last = p_;
    if (last - first >= 2 && *first == u'"' && last[-1] == u'"') {
        ++first;
        --last;
        quotes -= 2;
    }
    param.kind_ = pkText;
    if (quotes == 0 && ampersands == 0) param.text_.assign(first, last);
    else param.text_ = TCustomXmlCodeWriter::UnescapeValue(StringView(first, static_cast<size_t>(last - first)), quotes, ampersands);
}

TKnotReader::Parser::ContentResult TKnotReader::Parser::ParseContent(TKnot& knot)
{
    for (;;) {
        SkipSpace();
        if (p_ == end_) {
            error_ = true;
            return ContentResult::Complete;
        }
        if (*p_ != u'<') {
            // Text between elements.
            error_ = true;
            const Char* lt = Find(p_, u'<');
            if (!lt) {
                p_ = end_;
                return ContentResult::Complete;
            }
            p_ = lt;
            continue;
        }
        const Char* q = p_ + 1;
        while (q < end_ && IsSpace(*q)) ++q;
        if (q < end_ && *q == u'/') {
            ++q;
            while (q < end_ && IsSpace(*q)) ++q;
            const String& name = knot.name_;
            size_t n = name.size();
            if (static_cast<size_t>(end_ - q) > n && StringView(q, n) == name && q[n] == u'>') {
                p_ = q + n + 1;
                SkipToTag();
                return ContentResult::Complete;
            }
            error_ = true; // an end tag of another element: read as a child all the same
        }
        return ContentResult::Child;
    }
}

bool TKnotReader::Parse(TKnot& root, StringView text)
{
    Parser parser(text.data(), text.data() + text.size());
    return parser.ParseDocument(root);
}

} // namespace quillora
