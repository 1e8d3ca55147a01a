// The snippet document at its target size: a data file of 10,000 snippets with text,
// key, caret and date elements, loaded into the document and saved back as the program
// does (safe save through a temporary file).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "BenchDocument.h"
#include "foundation/Files.h"
#include "foundation/Localization.h"
#include "shell/Document.h"
#include "shell/Modules.h"

using namespace quillora;

namespace quillora::bench {

std::string GeneratedDataFile()
{
    std::string text = "\xEF\xBB\xBF<Quillora FormatVersion=\"1.2\">\r\n";
    for (int i = 0; i < SnippetCount; ++i) {
        text += "\t<Chars Value=\"Snippet " + std::to_string(i) + " with some words\"/>\r\n";
        switch (i % 4) {
        case 0: text += "\t<Tab/>\r\n\t<Chars Value=\"second field\"/>\r\n\t<Return/>\r\n"; break;
        case 1: text += "\t<Caret/>\r\n\t<Chars Value=\"after the caret\"/>\r\n"; break;
        case 2: text += "\t<DateTime Value=\"yyyy.mm.dd\"/>\r\n"; break;
        default: text += "\t<Left/>\r\n\t<Left/>\r\n"; break;
        }
        if (i + 1 < SnippetCount) text += "\t<Br/>\r\n";
    }
    return text + "</Quillora>\r\n";
}

TBenchFiles::TBenchFiles()
{
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "quillora-document-bench";
    std::filesystem::create_directories(dir);
    Folder = dir.u16string();
    Source = (dir / "source.tpt").u16string();
    Target = (dir / "target.tpt").u16string();
    WriteWholeFile(Source, GeneratedDataFile());
}

TBenchFiles::~TBenchFiles()
{
    std::error_code ec;
    std::filesystem::remove_all(std::filesystem::path(Folder), ec);
}

} // namespace quillora::bench

namespace {

using quillora::bench::TBenchFiles;

void BM_DocumentLoad10000Snippets(benchmark::State& state)
{
    Localization().SetLanguage(LangEnglish);
    InitializeModules();
    TBenchFiles files;
    for (auto _ : state) {
        auto document = TTrayAppDocument::New<TQuilloraDocument>();
        document->LoadDataFile(files.Source);
        benchmark::DoNotOptimize(document->Text().ParagraphCount());
        state.PauseTiming();
        document.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_DocumentLoad10000Snippets)->Unit(benchmark::kMillisecond);

void BM_DocumentSave10000Snippets(benchmark::State& state)
{
    Localization().SetLanguage(LangEnglish);
    InitializeModules();
    TBenchFiles files;
    auto document = TTrayAppDocument::New<TQuilloraDocument>();
    document->LoadDataFile(files.Source);
    for (auto _ : state) document->SaveDataFile(files.Target, {});
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(std::filesystem::path(files.Target)));
}
BENCHMARK(BM_DocumentSave10000Snippets)->Unit(benchmark::kMillisecond);

} // namespace
