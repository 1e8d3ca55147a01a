// The commands on Quillora data files: check, list, resave and keys.
#include "tools/quillora-tool/DocumentCommands.h"

#include <cstdio>
#include <optional>
#include <string>

#include "elements/Element.h"
#include "elements/Messages.h"
#include "elements/Scheme.h"
#include "foundation/Clock.h"
#include "foundation/Exceptions.h"
#include "foundation/Files.h"
#include "foundation/Localization.h"
#include "foundation/NumberParse.h"
#include "foundation/Service.h"
#include "shell/Document.h"
#include "shell/Modules.h"
#include "text/Paragraph.h"
#include "text/Textor.h"
#include "typing/DropDownModel.h"
#include "typing/MacroItems.h"

namespace quillora::tool {

namespace {
constexpr int ExitOk = 0;
constexpr int ExitMessages = 1;
constexpr int ExitFailure = 2;

void PrintLine(std::FILE* out, StringView text)
{
    std::string bytes = StringToUtf8(text);
    bytes += '\n';
    std::fwrite(bytes.data(), 1, bytes.size(), out);
}

int Usage()
{
    std::fputs("usage: quillora-tool check FILE\n"
               "       quillora-tool list FILE\n"
               "       quillora-tool resave IN OUT\n"
               "       quillora-tool keys FILE INDEX [--backspaces N] [--now YYYY-MM-DDTHH:MM:SS.mmm]\n",
               stderr);
    return ExitFailure;
}

// Loads FILE as the program does; prints an error and gives none when it cannot be read.
std::unique_ptr<TQuilloraDocument> Load(const String& fileName)
{
    InitializeModules();
    auto document = TTrayAppDocument::New<TQuilloraDocument>();
    try {
        if (!FileExists(fileName)) RaiseFileNotFound(fileName);
        document->LoadDataFile(fileName);
    } catch (const Exception& e) {
        PrintLine(stderr, e.Message());
        return nullptr;
    }
    return document;
}

// The load's reports, then the faults the element checks found, one per line.
int PrintMessages(TQuilloraDocument& document)
{
    int count = 0;
    for (const String& text : document.LoadMessages()) {
        PrintLine(stdout, text);
        ++count;
    }
    for (TElement* element : document.Scheme()->Elements()) {
        TElementMessages* messages = element ? element->Messages() : nullptr;
        if (!messages) continue;
        for (int i = 0; i < messages->Count(); ++i) {
            const TElementMessage& message = messages->GetItems(i);
            if (!(MessageKindBit(message.Kind) & FaultMessageKinds)) continue;
            PrintLine(stdout, message.GetText());
            ++count;
        }
    }
    std::fflush(stdout);
    return count;
}

// The snippets in list order.
std::vector<TParagraph*> Snippets(TQuilloraDocument& document)
{
    std::vector<TParagraph*> list;
    for (TParagraph* p = document.Text().FirstParagraph(); p; p = p->Next())
        if (!p->IsEmpty()) list.push_back(p);
    return list;
}

// "YYYY-MM-DDTHH:MM:SS.mmm" (the milliseconds may be left out).
bool ParseMoment(const String& text, TDateTimeParts& moment)
{
    std::string s = StringToUtf8(text);
    int ms = 0;
    int n = 0;
    if (std::sscanf(s.c_str(), "%4d-%2d-%2dT%2d:%2d:%2d%n", &moment.Year, &moment.Month, &moment.Day, &moment.Hour,
                    &moment.Minute, &moment.Second, &n) != 6)
        return false;
    if (s[static_cast<size_t>(n)] == '.') {
        int m = 0;
        if (std::sscanf(s.c_str() + n, ".%3d%n", &ms, &m) != 1 || m != 4) return false;
        n += m;
    }
    if (static_cast<size_t>(n) != s.size()) return false;
    moment.Millisecond = ms;
    return moment.IsValid();
}

const char* KindName(TMacroItemKind kind)
{
    static const char* const names[] = {"mkText", "mkCaret", "mkReturn", "mkTab", "mkBack", "mkHome", "mkEnd", "mkLeft",
                                        "mkUp", "mkRight", "mkDown", "mkDel", "mkPaste", "mkWordLeft", "mkWordRight"};
    return kind < sizeof(names) / sizeof(names[0]) ? names[kind] : "?";
}
} // namespace

int CheckCommand(const std::vector<String>& args)
{
    if (args.size() != 2) return Usage();
    auto document = Load(args[1]);
    if (!document) return ExitFailure;
    return PrintMessages(*document) ? ExitMessages : ExitOk;
}

int ListCommand(const std::vector<String>& args)
{
    if (args.size() != 2) return Usage();
    auto document = Load(args[1]);
    if (!document) return ExitFailure;
    for (TParagraph* p : Snippets(*document)) PrintLine(stdout, ParagraphCaption(*p));
    std::fflush(stdout);
    return ExitOk;
}

int ResaveCommand(const std::vector<String>& args)
{
    if (args.size() != 3) return Usage();
    auto document = Load(args[1]);
    if (!document) return ExitFailure;
    int messages = PrintMessages(*document);
    try {
        document->SaveDataFile(args[2], {});
    } catch (const Exception& e) {
        PrintLine(stderr, e.Message());
        return ExitFailure;
    }
    return messages ? ExitMessages : ExitOk;
}

int KeysCommand(const std::vector<String>& args)
{
    if (args.size() < 3) return Usage();
    int32_t index = 0, backspaces = 0;
    if (!TryParseInt32(args[2], index) || index < 0) return Usage();
    bool haveNow = false;
    TDateTimeParts now;
    for (size_t i = 3; i < args.size(); ++i) {
        if (args[i] == u"--backspaces" && i + 1 < args.size()) {
            if (!TryParseInt32(args[++i], backspaces) || backspaces < 0) return Usage();
        } else if (args[i] == u"--now" && i + 1 < args.size()) {
            if (!ParseMoment(args[++i], now)) return Usage();
            haveNow = true;
        } else {
            return Usage();
        }
    }
    auto document = Load(args[1]);
    if (!document) return ExitFailure;
    std::vector<TParagraph*> snippets = Snippets(*document);
    if (static_cast<size_t>(index) >= snippets.size()) {
        PrintLine(stderr, u"No snippet " + IntToString(index) + u": the file holds " +
                              IntToString(static_cast<long long>(snippets.size())) + u".");
        return ExitFailure;
    }
    TFixedLocalClock fixed(now);
    std::optional<TProvide<ILocalClock>> provideFixed;
    if (haveNow) provideFixed.emplace(fixed);
    TMacroItems items;
    BuildMacroItems(backspaces, *snippets[static_cast<size_t>(index)], items);
    for (const TMacroItem& item : items) {
        std::string line = KindName(item.Kind);
        if (item.Kind == mkText) line += "\t" + StringToUtf8(item.Text);
        line += '\n';
        std::fwrite(line.data(), 1, line.size(), stdout);
    }
    std::fflush(stdout);
    return ExitOk;
}

} // namespace quillora::tool
