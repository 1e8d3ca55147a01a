#include "foundation/FileFilters.h"

#include <algorithm>

namespace quillora {

namespace {

struct TFilterEntry {
    String Description;
    std::vector<String> Patterns;
};

void AddPattern(TFilterEntry& entry, const String& pattern)
{
    bool known = std::any_of(entry.Patterns.begin(), entry.Patterns.end(),
                             [&](const String& p) { return SameTextAscii(p, pattern); });
    if (!known) entry.Patterns.push_back(pattern);
}

String Join(const std::vector<String>& parts, StringView separator)
{
    String result;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) result += separator;
        result += parts[i];
    }
    return result;
}

} // namespace

String BuildFilter(const TFileFilters& filters, TOpenSaveOptions options, TFileDialogKind kind)
{
    const bool open = kind == TFileDialogKind::Open;
    const bool merge = open && !(options & osoNoMergeOpenFilters);

    std::vector<TFilterEntry> entries;
    for (const TFileFilter& filter : filters) {
        if (!(open ? filter.UseForOpen : filter.UseForSave)) continue;
        String description = filter.Description.empty() ? AsciiUpperCase(filter.FileExt) : filter.Description;
        String pattern = u"*." + AsciiLowerCase(filter.FileExt);
        TFilterEntry* entry = nullptr;
        if (merge) {
            auto it = std::find_if(entries.begin(), entries.end(),
                                   [&](const TFilterEntry& e) { return e.Description == description; });
            if (it != entries.end()) entry = &*it;
        }
        if (!entry) {
            entries.push_back({std::move(description), {}});
            entry = &entries.back();
        }
        AddPattern(*entry, pattern);
    }

    std::vector<String> parts;
    for (const TFilterEntry& e : entries)
        parts.push_back(e.Description + u" (" + Join(e.Patterns, u", ") + u")|" + Join(e.Patterns, u";"));

    const String allFiles = u"All Files (*.*)|*.*";
    const bool noAllFiles = (options & (open ? osoOpenNoAllFiles : osoSaveNoAllFiles)) != 0;
    if (!noAllFiles) {
        if (open && (options & osoDefaultFilterAll))
            parts.insert(parts.begin(), allFiles);
        else
            parts.push_back(allFiles);
    }
    return Join(parts, u"|");
}

String DefaultSaveExtension(const TFileFilters& filters)
{
    return filters.Empty() ? String() : filters[0].FileExt;
}

} // namespace quillora
