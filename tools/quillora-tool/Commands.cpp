#include "tools/quillora-tool/Commands.h"

#include <cstdio>
#include <string>

#include "foundation/Exceptions.h"
#include "foundation/Knot.h"
#include "foundation/LanguageId.h"
#include "foundation/Localization.h"
#include "foundation/NumberParse.h"
#include "tools/quillora-tool/DocumentCommands.h"
#include "tools/quillora-tool/PictureCommand.h"
#include "tools/quillora-tool/StringsCommand.h"

namespace quillora::tool {

namespace {
constexpr int ExitOk = 0;
constexpr int ExitFailure = 2;  // bad command line, file missing or unreadable
constexpr int ExitCorrupt = 3;  // the text was read but is faulty

int Usage()
{
    std::fputs("usage: quillora-tool knot FILE [--options N]\n"
               "       quillora-tool picture IN OUT.png [--frame K]\n"
               "       quillora-tool check FILE\n"
               "       quillora-tool list FILE\n"
               "       quillora-tool resave IN OUT\n"
               "       quillora-tool keys FILE INDEX [--backspaces N] [--now YYYY-MM-DDTHH:MM:SS.mmm]\n"
               "       quillora-tool strings CODE\n"
               "       quillora-tool strings --missing\n",
               stderr);
    return ExitFailure;
}

void PrintLine(std::FILE* out, StringView text)
{
    std::string bytes = StringToUtf8(text);
    bytes += '\n';
    std::fwrite(bytes.data(), 1, bytes.size(), out);
}

// knot FILE [--options N]: reads FILE as a knot text and writes the tree again, with N
// (decimal or 0x hexadecimal) as the root's options, to stdout in UTF-8 without a mark.
int KnotCommand(const std::vector<String>& args)
{
    String fileName;
    TKnotOptions options = 0;
    bool haveFile = false;
    for (size_t i = 1; i < args.size(); ++i) {
        if (args[i] == u"--options") {
            int32_t value = 0;
            if (i + 1 >= args.size() || !TryParseInt32(args[i + 1], value) || value < 0 || value > 0xFFFF) return Usage();
            options = static_cast<TKnotOptions>(value);
            ++i;
        } else if (!haveFile) {
            fileName = args[i];
            haveFile = true;
        } else {
            return Usage();
        }
    }
    if (!haveFile) return Usage();

    TKnot knot;
    try {
        knot.LoadFromFile(fileName);
    } catch (const Exception& e) {
        PrintLine(stderr, e.Message());
        return ExitFailure;
    }
    knot.SetOptions(options);
    const std::string bytes = StringToUtf8(knot.SaveToText());
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
    return knot.Corrupt() ? ExitCorrupt : ExitOk;
}
} // namespace

int Run(const std::vector<String>& args)
{
    // The tool speaks English: it has no settings that would choose a language.
    Localization().SetLanguage(LangEnglish);
    Localization().SetFallbackLanguage(LangEnglish);
    if (args.empty()) return Usage();
    if (args[0] == u"knot") return KnotCommand(args);
    if (args[0] == u"check") return CheckCommand(args);
    if (args[0] == u"list") return ListCommand(args);
    if (args[0] == u"resave") return ResaveCommand(args);
    if (args[0] == u"keys") return KeysCommand(args);
    if (args[0] == u"strings") return StringsCommand(args);
    if (args[0] == u"picture") return RunPictureCommand(std::vector<String>(args.begin() + 1, args.end()));
    return Usage();
}

} // namespace quillora::tool
