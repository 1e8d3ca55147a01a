#include "foundation/SaveTemporaries.h"

#include <filesystem>
#include <system_error>
#include <vector>

#include "foundation/Files.h"
#include "foundation/SafeReplace.h"

namespace quillora {

bool IsSaveTemporaryName(StringView name)
{
    const StringView prefix = u"Rplc", suffix = u".tmp";
    if (name.size() <= prefix.size() + suffix.size() || name.substr(0, prefix.size()) != prefix ||
        name.substr(name.size() - suffix.size()) != suffix)
        return false;
    const StringView number = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    if (number.size() > 9 || number[0] == u'0') return false; // CreateUniqueFile counts in an int
    for (Char c : number)
        if (c < u'0' || c > u'9') return false;
    return true;
}

int RemoveStaleSaveTemporaries(const String& folder, int64_t nowUnixSeconds, int64_t minAgeSeconds)
{
    namespace fs = std::filesystem;
    std::error_code error;
    std::vector<String> stale;
    fs::directory_iterator it(fs::path(folder.empty() ? String(u".") : folder), error);
    for (; !error && it != fs::directory_iterator(); it.increment(error)) {
        std::error_code statusError;
        // Only plain files of the name; a link of that name is not the program's.
        if (!it->is_regular_file(statusError) || it->is_symlink(statusError)) continue;
        const String name = it->path().filename().u16string();
        if (!IsSaveTemporaryName(name)) continue;
        const String path = it->path().u16string();
        int64_t written = 0;
        if (!GetFileLastWriteTime(path, written) || written > nowUnixSeconds - minAgeSeconds) continue;
        stale.push_back(path);
    }
    int removed = 0;
    for (const String& path : stale)
        if (RemoveFile(path)) ++removed;
    return removed;
}

} // namespace quillora
