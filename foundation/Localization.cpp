#include "foundation/Localization.h"

#include "foundation/Exceptions.h"

namespace quillora {

void TLocalization::SetLanguage(TLanguageId id)
{
    if (id == language_) return;
    language_ = id;
    Notify(1, 0, 0);
}

void TLocalization::SetFallbackLanguage(TLanguageId id)
{
    if (id == fallbackLanguage_) return;
    fallbackLanguage_ = id;
    Notify(1, 0, 0);
}

TLocalization& Localization()
{
    static TLocalization instance;
    return instance;
}

String LoadLanguageString(int id, TLanguageId language)
{
    // Provisional: the generated tables are wired in with the string-table sources.
    if (id == 2077) return u"File not found: %1";
    if (id == 2078) return u"Path not found: %1";
    return {};
}

String LoadString(int id)
{
    TLocalization& l = Localization();
    String s = LoadLanguageString(id, l.Language());
    if (s.empty() && l.FallbackLanguage() != 0 && l.FallbackLanguage() != l.Language())
        s = LoadLanguageString(id, l.FallbackLanguage());
    return s;
}

String FormatText(StringView text, const std::vector<String>& args)
{
    String out(text);
    size_t scanFrom = 0; // never scan inserted text
    for (size_t k = 0; k < args.size(); ++k) {
        String tag = u"%" + IntToString(static_cast<long long>(k + 1));
        size_t pos = scanFrom;
        for (;;) {
            pos = out.find(tag, pos);
            if (pos == String::npos) break;
            size_t after = pos + tag.size();
            if (after < out.size() && out[after] >= u'0' && out[after] <= u'9') {
                pos = after;
                continue;
            }
            break;
        }
        if (pos == String::npos) continue;
        out.replace(pos, tag.size(), args[k]);
        (void)scanFrom;
    }
    return out;
}

String FormatString(int id, const std::vector<String>& args)
{
    return FormatText(LoadString(id), args);
}

void RaiseFileNotFound(const String& fileName)
{
    throw Exception(FormatString(2077, {fileName}));
}

void RaisePathNotFound(const String& fileName)
{
    throw Exception(FormatString(2078, {fileName}));
}

} // namespace quillora
