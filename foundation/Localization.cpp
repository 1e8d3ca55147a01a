#include "foundation/Localization.h"

#include "foundation/Exceptions.h"
#include "foundation/Service.h"
#include "foundation/StringIds.h"

namespace quillora {

void TLocalization::SetLanguage(TLanguageId id)
{
    if (id == language_) return;
    language_ = id;
    Notify(LanguageChangedNotify, 0, 0);
}

void TLocalization::SetFallbackLanguage(TLanguageId id)
{
    if (id == fallbackLanguage_) return;
    fallbackLanguage_ = id;
    Notify(LanguageChangedNotify, 0, 0);
}

const IStringTableSource& TLocalization::StringTables() const
{
    return Service<IStringTableSource>();
}

const ILocaleList& TLocalization::Locales() const
{
    return Service<ILocaleList>();
}

TLocalization& Localization()
{
    static TLocalization instance;
    return instance;
}

String LoadLanguageString(int id, TLanguageId language)
{
    return Localization().StringTables().FindString(id, language);
}

String LoadString(int id)
{
    TLocalization& l = Localization();
    String s = LoadLanguageString(id, l.Language());
    if (s.empty() && l.FallbackLanguage() != 0 && l.FallbackLanguage() != l.Language())
        s = LoadLanguageString(id, l.FallbackLanguage());
    return s;
}

namespace {

bool IsDigit(Char c) { return c >= u'0' && c <= u'9'; }

// Position of the first `tag` in `text` that is not followed by a digit.
size_t FindPlaceholder(const String& text, const String& tag)
{
    for (size_t pos = text.find(tag); pos != String::npos; pos = text.find(tag, pos + 1)) {
        size_t after = pos + tag.size();
        if (after >= text.size() || !IsDigit(text[after])) return pos;
    }
    return String::npos;
}

} // namespace

String FormatText(StringView text, const std::vector<String>& args)
{
    // The text as pieces: the original text between the inserted arguments. Only the
    // original pieces are searched, so an argument that holds "%2" stays as it is. A
    // piece never ends in the middle of a placeholder: every insertion replaced a
    // whole "%K" that was not followed by a digit.
    struct Piece {
        String Text;
        bool Inserted;
    };
    std::vector<Piece> pieces{{String(text), false}};
    for (size_t k = 0; k < args.size(); ++k) {
        String tag(1, u'%');
        tag += IntToString(static_cast<long long>(k + 1));
        for (size_t i = 0; i < pieces.size(); ++i) {
            if (pieces[i].Inserted) continue;
            size_t pos = FindPlaceholder(pieces[i].Text, tag);
            if (pos == String::npos) continue;
            String rest = pieces[i].Text.substr(pos + tag.size());
            pieces[i].Text.resize(pos);
            pieces.insert(pieces.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                          {Piece{args[k], true}, Piece{std::move(rest), false}});
            break;
        }
    }
    String out;
    for (const Piece& p : pieces) out += p.Text;
    return out;
}

String FormatString(int id, const std::vector<String>& args)
{
    return FormatText(LoadString(id), args);
}

bool FindLanguageByCode(StringView code, TLanguageId& id)
{
    if (code.empty()) return false;
    for (const TLocaleInfo& locale : Localization().Locales().Locales()) {
        if (locale.Code == code) {
            id = locale.Language;
            return true;
        }
    }
    return false;
}

namespace {

const char16_t* CodeOfPrimaryLanguage(TLanguageId language)
{
    switch (PrimaryLanguage(language)) {
    case 0x01: return u"ARA";
    case 0x02: return u"BGR";
    case 0x04: return SubLanguage(language) == 1 ? u"CHT" : u"CHS";
    case 0x06: return u"DAN";
    case 0x07: return u"DEU";
    case 0x0A: return u"ESP";
    case 0x0C: return u"FRA";
    case 0x10: return u"ITA";
    case 0x11: return u"JPN";
    case 0x13: return u"NLD";
    case 0x14: return u"NOR";
    case 0x15: return u"PLK";
    case 0x16: return u"PTB";
    case 0x18: return u"ROM";
    case 0x19: return u"RUS";
    case 0x1A: return u"HRV";
    case 0x1D: return u"SVE";
    case 0x22: return u"UKR";
    case 0x24: return u"SLV";
    default: return u"ENU";
    }
}

} // namespace

String GetDefaultLanguageCode(int checkId)
{
    TLanguageId language = Localization().Locales().UserDefaultLanguage();
    if (LoadLanguageString(checkId, language).empty()) return u"ENU";
    return CodeOfPrimaryLanguage(language);
}

void GetLanguageCodes(std::vector<String>& list, int checkId)
{
    for (const TLocaleInfo& locale : Localization().Locales().Locales())
        if (!LoadLanguageString(checkId, locale.Language).empty()) list.push_back(locale.Code);
}

void ApplyLanguage(StringView code)
{
    TLocalization& l = Localization();
    TLanguageId id = 0;
    l.SetLanguage(FindLanguageByCode(code, id) ? id : l.FallbackLanguage());
}

void RaiseFileNotFound(const String& fileName)
{
    throw Exception(FormatString(sidFileNotFound, {fileName}));
}

void RaisePathNotFound(const String& fileName)
{
    throw Exception(FormatString(sidPathNotFound, {fileName}));
}

} // namespace quillora
