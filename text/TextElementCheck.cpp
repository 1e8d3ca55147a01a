// The content checks of a text element: which characters its text may hold, how it may
// begin and end, whether it must be a number, and how many elements it must embed.
#include "elements/ValueChecks.h"
#include "foundation/NumberParse.h"
#include "foundation/StringIds.h"
#include "text/CharClasses.h"
#include "text/TextElement.h"

namespace quillora {

namespace {

bool IsFileNameForbidden(Char c) { return StringView(u"\"*/:<>?\\|").find(c) != StringView::npos; }
bool IsPathForbidden(Char c) { return StringView(u"\"*<>?|").find(c) != StringView::npos; }

// A decimal number with "." as separator and no thousands separator: spaces around, a
// sign, digits with at most one ".", an exponent.
bool IsFloatText(StringView text)
{
    size_t i = 0, n = text.size();
    while (i < n && text[i] == u' ') ++i;
    while (n > i && text[n - 1] == u' ') --n;
    if (i < n && (text[i] == u'+' || text[i] == u'-')) ++i;
    bool digits = false;
    while (i < n && text[i] >= u'0' && text[i] <= u'9') ++i, digits = true;
    if (i < n && text[i] == u'.') {
        ++i;
        while (i < n && text[i] >= u'0' && text[i] <= u'9') ++i, digits = true;
    }
    if (!digits) return false;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        if (i < n && (text[i] == u'+' || text[i] == u'-')) ++i;
        bool exponent = false;
        while (i < n && text[i] >= u'0' && text[i] <= u'9') ++i, exponent = true;
        if (!exponent) return false;
    }
    return i == n;
}

} // namespace

void TTextorElement::CheckText()
{
    const uint32_t options = textOptions_;
    if (options == toNoChecks) return;
    TElementMessages& messages = GetMessages();
    auto report = [&](int stringId, std::vector<String> args = {}) {
        AddElementMessage(messages, mkInvalidValue, stringId, ID(), args);
    };
    bool hasText = false, letters = false, digits = false, underscores = false, spaces = false, tabs = false,
         lineFeeds = false, symbols = false, nonLatin = false;
    Char fileNameBad = 0, pathBad = 0;
    String text;
    for (TParagraph* p = text_->FirstParagraph(); p; p = p->Next()) {
        if (p != text_->FirstParagraph()) text += u"\r\n";
        for (TPortion* portion = p->FirstPortion(); portion; portion = portion->Next()) {
            if (&portion->GetClass() == &TTabStopsPortion::Class()) {
                text.append(static_cast<size_t>(portion->Length()), u'\t');
                continue;
            }
            if (&portion->GetClass() != &TTextPortion::Class()) continue;
            hasText = true;
            const StringView run = static_cast<TTextPortion*>(portion)->Text();
            text += run;
            for (Char c : run) {
                const bool letter = IsLetterCode(c);
                if (letter) {
                    letters = true;
                    if (!((c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'))) nonLatin = true;
                } else if (IsDigitCode(c)) {
                    digits = true;
                } else if (c == u'_') {
                    underscores = true;
                } else if (c == u' ') {
                    spaces = true;
                } else if (c == u'\t') {
                    tabs = true;
                } else if (c == u'\r' || c == u'\n') {
                    lineFeeds = true;
                } else {
                    symbols = true;
                }
                const bool wide = letter && c > 0xFF;
                if (!fileNameBad && (IsFileNameForbidden(c) || wide)) fileNameBad = c;
                if (!pathBad && (IsPathForbidden(c) || wide)) pathBad = c;
            }
        }
    }
    if (!(options & toTextMask)) {
        if (hasText) report(sidTextNotAllowed);
        return;
    }
    if (letters && !(options & toLetters)) report(sidLetters);
    if (digits && !(options & toDigits)) report(sidDigits);
    if (underscores && !(options & toUnderscore)) report(sidUnderscores);
    if (spaces && !(options & toSpaces)) report(sidSpaces);
    if (tabs && !(options & toTabs)) report(sidTabs);
    if (lineFeeds && !(options & toLineBreaks)) report(sidLineFeeds);
    if (symbols && !(options & toSymbols)) report(sidSymbols);
    if (options & toLetterFirst) {
        TPortion* first = text_->FirstParagraph() ? text_->FirstParagraph()->FirstPortion() : nullptr;
        if (first && &first->GetClass() == &TTextPortion::Class()) {
            const Char c = static_cast<TTextPortion*>(first)->Text()[0];
            if (!IsLetterCode(c) && c != u'_') report(sidLetterFirst);
        }
    }
    if ((options & toFileNameChars) && fileNameBad) report(sidFileNameChars, {String(1, fileNameBad)});
    if ((options & toPathChars) && pathBad) report(sidPathChars, {String(1, pathBad)});
    if ((options & toLatinLetters) && nonLatin) report(sidLatinLetters);
    if (options & (toInteger | toFloat)) {
        StringView number = text;
        if ((options & toPercent) && !number.empty() && number.back() == u'%') number.remove_suffix(1);
        int32_t value = 0;
        if ((options & toInteger) && !TryParseInt32(number, value)) report(sidInteger, {text});
        if ((options & toFloat) && !IsFloatText(number)) report(sidFloat, {text});
    }
    if (options & toSpaces) {
        if ((options & toNoLeadingSpace) && !text.empty() && text.front() == u' ') report(sidLeadingSpace);
        if ((options & toNoTrailingSpace) && !text.empty() && text.back() == u' ') report(sidTrailingSpace);
    }
}

void TTextorElement::CheckValue()
{
    TVisualElement::CheckValue();
    CheckText();
    if (textOptions_ & (toElementRequired | toSingleElement)) {
        const int count = CountEmbeddedElements();
        if ((textOptions_ & toElementRequired) && count == 0)
            AddElementMessage(GetMessages(), mkInvalidValue, sidElementRequired, ID());
        if ((textOptions_ & toSingleElement) && count > 1)
            AddElementMessage(GetMessages(), mkInvalidValue, sidSingleElement, ID());
    }
}

} // namespace quillora
