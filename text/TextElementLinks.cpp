// Links in a text element's text: words that name an address get the element's
// hyperlink attributes when their paragraph is laid out.
#include <vector>

#include "foundation/FontData.h"
#include "text/RichTextAttributes.h"
#include "text/TextElement.h"

namespace quillora {

namespace {

bool IsWordSeparator(Char c) { return c == u'\t' || c == u' ' || c == u'"' || c == u'<' || c == u'>'; }

bool StartsWithIgnoringCase(StringView text, StringView prefix)
{
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i)
        if (AsciiLower(text[i]) != prefix[i]) return false;
    return true;
}

} // namespace

bool TTextorElement::IsLinkWord(StringView word)
{
    if (word.size() < 7 || word.size() > 2057) return false;
    for (StringView scheme : {StringView(u"http"), StringView(u"https"), StringView(u"ftp"), StringView(u"file"),
                              StringView(u"url")}) {
        if (!StartsWithIgnoringCase(word, scheme)) continue;
        const StringView rest = word.substr(scheme.size());
        if (rest.substr(0, 3) != u"://" && rest.substr(0, 2) != u":\\") continue;
        const size_t prefix = scheme.size() + (rest[1] == u'/' ? 3 : 2);
        if (word.size() >= prefix + 4) return true;
    }
    return false;
}

void TTextorElement::DetectLinks(TParagraph& paragraph)
{
    struct TRun {
        int Start;
        String Text;
    };
    // The runs without elements, by character index, read before anything changes.
    std::vector<TRun> runs;
    int index = 0;
    for (TPortion* portion = paragraph.FirstPortion(); portion; portion = portion->Next()) {
        if (portion->IsElement()) {
            ++index;
            continue;
        }
        if (runs.empty() || runs.back().Start + static_cast<int>(runs.back().Text.size()) != index ||
            (portion->Prev() && portion->Prev()->IsElement()))
            runs.push_back({index, String()});
        String& text = runs.back().Text;
        const size_t size = text.size();
        text.resize(size + static_cast<size_t>(portion->GetText(0, portion->Length(), nullptr)));
        portion->GetText(0, portion->Length(), text.data() + size);
        index += portion->Length();
    }
    if (runs.empty()) return;
    const int paragraphIndex = paragraph.GetIndex();
    auto apply = [&](int start, int end, TTextAttributes* attributes) {
        TTextorRange range, result;
        if (text_->LocationsToRange({paragraphIndex, start, paragraphIndex, end}, range))
            text_->ApplyAttributes(range, false, attributes, result);
    };
    TTextorUpdate update(*text_);
    for (const TRun& run : runs) {
        apply(run.Start, run.Start + static_cast<int>(run.Text.size()), nullptr);
        size_t i = 0;
        while (i < run.Text.size()) {
            while (i < run.Text.size() && IsWordSeparator(run.Text[i])) ++i;
            const size_t begin = i;
            while (i < run.Text.size() && !IsWordSeparator(run.Text[i])) ++i;
            const StringView word = StringView(run.Text).substr(begin, i - begin);
            if (!IsLinkWord(word)) continue;
            TRichTextAttributes link;
            if (auto* defaults = dynamic_cast<TRichTextAttributes*>(GetDefaultTextAttributes())) link.Assign(*defaults);
            link.SetColor(clBlue);
            link.SetStyle(static_cast<TFontStyles>(link.Style() | fsUnderline));
            link.SetIsLink(true);
            link.SetHyperlink(String(word));
            auto* registered = TAttributes::GetRegistered(link);
            apply(run.Start + static_cast<int>(begin), run.Start + static_cast<int>(i), registered);
        }
    }
}

} // namespace quillora
