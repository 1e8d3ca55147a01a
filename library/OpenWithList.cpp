// The programs that the registry names for opening a file type (the "Open with" list of
// the data element's Edit item).
#include <algorithm>

#include "foundation/Files.h"
#include "foundation/Service.h"
#include "foundation/TextCompare.h"
#include "foundation/Utils.h"
#include "library/DataElementUtils.h"

namespace quillora {

namespace {

const String FileExtsKey = u"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FileExts\\.";

// Where `needle` starts in `text`, ASCII case ignored; npos when it is not there.
size_t FindAsciiIgnoreCase(const String& text, StringView needle)
{
    const String folded = AsciiLowerCase(text);
    return folded.find(AsciiLowerCase(needle));
}

bool NamesKeySafely(const String& name)
{
    if (name.empty()) return false;
    return std::none_of(name.begin(), name.end(), [](Char c) { return c == u'\\' || c < 32; });
}

// The names the list is made of, read once.
struct TOpenWithSources {
    std::vector<String> Applications; // program file names: "Applications\<name>"
    std::vector<String> ProgIds;      // registered file types
    String ChosenApplication;
};

TOpenWithSources ReadSources(const TRegistryReader& registry, const String& extension)
{
    TOpenWithSources sources;
    const String dotted = u"." + extension;
    registry.GetSubKeyNames(rrClassesRoot, dotted + u"\\OpenWithList", sources.Applications);
    registry.GetValueNames(rrClassesRoot, dotted + u"\\OpenWithProgids", sources.ProgIds);

    // The recently used programs, most recent first, go before the registered ones.
    const String userKey = FileExtsKey + extension;
    String mruList;
    if (registry.ReadString(rrCurrentUser, userKey + u"\\OpenWithList", u"MRUList", mruList)) {
        size_t inserted = 0;
        for (Char letter : mruList) {
            String program;
            if (!registry.ReadString(rrCurrentUser, userKey + u"\\OpenWithList", String(1, letter), program) ||
                program.empty())
                continue;
            const size_t at = std::min(inserted, sources.Applications.size());
            sources.Applications.insert(sources.Applications.begin() + static_cast<ptrdiff_t>(at), program);
            ++inserted;
        }
    }
    std::vector<String> userProgIds;
    registry.GetValueNames(rrCurrentUser, userKey + u"\\OpenWithProgids", userProgIds);
    sources.ProgIds.insert(sources.ProgIds.end(), userProgIds.begin(), userProgIds.end());
    String choice;
    if (registry.ReadString(rrCurrentUser, userKey + u"\\UserChoice", u"Progid", choice) && !choice.empty())
        sources.ProgIds.push_back(choice);
    registry.ReadString(rrCurrentUser, userKey, u"Application", sources.ChosenApplication);
    return sources;
}

// The command line of the first verb that `keyPrefix` + "\shell\<verb>\command" has.
bool FindCommand(const TRegistryReader& registry, const String& keyPrefix, const std::vector<String>& verbs,
                 String& commandLine)
{
    for (const String& verb : verbs) {
        const String key = keyPrefix + u"\\shell\\" + verb + u"\\command";
        if (!registry.KeyExists(rrClassesRoot, key)) continue;
        commandLine.clear();
        registry.ReadString(rrClassesRoot, key, String(), commandLine);
        return true;
    }
    return false;
}

// The name the shell shows for the program at `path`.
String DisplayName(const TRegistryReader& registry, const String& path)
{
    struct TCache {
        TRegistryRoot Root;
        const Char* Key;
    };
    static constexpr TCache caches[] = {
        {rrCurrentUser, u"Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\Shell\\MuiCache"},
        {rrCurrentUser, u"Software\\Microsoft\\Windows\\ShellNoRoam\\MUICache"},
        {rrClassesRoot, u"Local Settings\\Software\\Microsoft\\Windows\\Shell\\MuiCache"},
    };
    for (const TCache& cache : caches) {
        if (!registry.KeyExists(cache.Root, cache.Key)) continue;
        String name;
        // Newer systems keep the name under the path with ".FriendlyAppName" added.
        if ((registry.ReadString(cache.Root, cache.Key, path, name) && !name.empty()) ||
            (registry.ReadString(cache.Root, cache.Key, path + u".FriendlyAppName", name) && !name.empty()))
            return name;
        return GetBaseName(path);
    }
    return path;
}

} // namespace

String CommandLineProgram(const String& commandLine)
{
    String text = ExpandEnvironmentVariables(commandLine);
    static constexpr StringView rundll = u"rundll32.exe ";
    const size_t at = FindAsciiIgnoreCase(text, rundll);
    if (at != String::npos) {
        text = text.substr(at + rundll.size());
        // "library, entry point arguments": the tails without a folder in them go.
        for (size_t comma = text.rfind(u','); comma != String::npos; comma = text.rfind(u',')) {
            if (text.find(u'\\', comma) != String::npos) break;
            size_t end = comma;
            if (end > 0 && text[end - 1] == u' ') --end;
            text.resize(end);
        }
    }
    if (!text.empty() && text[0] == u'"') {
        const size_t close = text.find(u'"', 1);
        return text.substr(1, close == String::npos ? String::npos : close - 1);
    }
    return text.substr(0, text.find(u' '));
}

void BuildOpenWithList(const String& extension, const std::vector<String>& verbs, std::vector<String>& values,
                       std::vector<String>& names, int& defaultIndex)
{
    defaultIndex = -1;
    if (!NamesKeySafely(extension)) return;
    const TRegistryReader& registry = Service<TRegistryReader>();
    const TOpenWithSources sources = ReadSources(registry, extension);

    auto offer = [&](const String& commandLine, const String& programName) {
        const String path = CommandLineProgram(commandLine);
        if (path.empty() || !FileExists(path)) return;
        for (const String& value : values)
            if (SameTextIgnoreCase(value, path)) return;
        names.push_back(DisplayName(registry, path));
        values.push_back(path);
        if (defaultIndex == -1 && !programName.empty() && SameTextIgnoreCase(programName, sources.ChosenApplication))
            defaultIndex = static_cast<int>(values.size()) - 1;
    };
    String commandLine;
    for (const String& application : sources.Applications)
        if (NamesKeySafely(application) && FindCommand(registry, u"Applications\\" + application, verbs, commandLine))
            offer(commandLine, application);
    for (const String& progId : sources.ProgIds)
        if (NamesKeySafely(progId) && FindCommand(registry, progId, verbs, commandLine)) offer(commandLine, {});
}

} // namespace quillora
