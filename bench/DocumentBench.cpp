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
using quillora::bench::GeneratedDataFile;

namespace {

struct TBenchFiles {
    String Folder;
    String Source;
    String Target;
    TBenchFiles()
    {
        std::filesystem::path dir = std::filesystem::temp_directory_path() / "quillora-document-bench";
        std::filesystem::create_directories(dir);
        Folder = dir.u16string();
        Source = (dir / "source.tpt").u16string();
        Target = (dir / "target.tpt").u16string();
        WriteWholeFile(Source, GeneratedDataFile());
    }
    ~TBenchFiles()
    {
        std::error_code ec;
        std::filesystem::remove_all(std::filesystem::path(Folder), ec);
    }
};

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
