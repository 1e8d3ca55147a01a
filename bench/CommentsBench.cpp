// Opening a document of 10,000 snippets of which 200 hold comments and logic frames
// (100 comments with a sign, 100 comments with a collapsible frame inside): the data file
// read into the document and the first layout of the whole tree on a sheet with the
// built-in theme, as the main window does when it shows the document.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "editor/Sheet.h"
#include "foundation/Files.h"
#include "foundation/Localization.h"
#include "foundation/Service.h"
#include "render/Canvas.h"
#include "render/SheetSettings.h"
#include "render/SheetSettingsTheme.h"
#include "shell/Document.h"
#include "shell/Modules.h"
#include "shell/Settings.h"

using namespace quillora;

namespace {

constexpr int Snippets = 10000;
constexpr int Commented = 200; // every 50th snippet

std::string CommentedDataFile()
{
    std::string text = "\xEF\xBB\xBF<Quillora FormatVersion=\"1.2\">\r\n";
    for (int i = 0; i < Snippets; ++i) {
        text += "\t<Chars Value=\"Snippet " + std::to_string(i) + " with some words\"/>\r\n";
        if (i % (Snippets / Commented) == 0) {
            if ((i / (Snippets / Commented)) % 2 == 0) {
                text += "\t<Comment>\r\n\t\t<Chars Value=\"A note on snippet " + std::to_string(i) +
                        "\"/>\r\n\t\t<Important/>\r\n\t</Comment>\r\n";
            } else {
                text += "\t<Comment>\r\n\t\t<LogicFrame>\r\n\t\t\t<Caption>\r\n\t\t\t\t<Chars Value=\"Group " +
                        std::to_string(i) +
                        "\"/>\r\n\t\t\t</Caption>\r\n\t\t\t<Content>\r\n\t\t\t\t<Chars Value=\"first line\"/><Br/>\r\n"
                        "\t\t\t\t<Chars Value=\"second line\"/>\r\n\t\t\t</Content>\r\n\t\t</LogicFrame>\r\n"
                        "\t</Comment>\r\n";
            }
        } else if (i % 3 == 0) {
            text += "\t<Tab/>\r\n\t<Chars Value=\"second field\"/>\r\n\t<Return/>\r\n";
        }
        if (i + 1 < Snippets) text += "\t<Br/>\r\n";
    }
    return text + "</Quillora>\r\n";
}

void BM_OpenDocumentWithCommentsAndFrames(benchmark::State& state)
{
    Localization().SetLanguage(LangEnglish);
    InitializeModules();
    const std::filesystem::path dir = std::filesystem::temp_directory_path() / "quillora-comments-bench";
    std::filesystem::create_directories(dir);
    const String source = (dir / "commented.tpt").u16string();
    WriteWholeFile(source, CommentedDataFile());

    TSettings settings {Service<TSettingsPlatform>()};
    TSheetSettingsTheme look {settings.Sheet()};
    for (auto _ : state) {
        auto document = TTrayAppDocument::New<TQuilloraDocument>();
        document->LoadDataFile(source);
        TSheet sheet {&settings.Sheet(), std::make_unique<TCustomSheetCanvas>(look)};
        sheet.SetDocument(document->QuilloraRoot()); // the first layout
        benchmark::DoNotOptimize(document->QuilloraRoot()->Height());
        state.PauseTiming();
        if (!document->LoadMessages().empty() || document->QuilloraRoot()->Height() <= 0) {
            state.SkipWithError("the document did not load or lay out");
            break;
        }
        int comments = 0;
        for (TElement* e : document->Scheme()->Elements()) comments += e->GetTypeName() == u"Comment";
        if (comments != Commented) {
            state.SkipWithError("the comments did not load");
            break;
        }
        sheet.SetDocument(nullptr);
        document.reset();
        state.ResumeTiming();
    }
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
}
BENCHMARK(BM_OpenDocumentWithCommentsAndFrames)->Unit(benchmark::kMillisecond);

} // namespace
