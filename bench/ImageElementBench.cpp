// A document of 50 image elements of about 100 KB of PNG data each (168 x 168 pixels of
// noise): loading it from its knot text, and decoding every preview. The counters give
// the resident memory of the process after the load and after the previews, and the
// growth over the memory before the document existed.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>

#include "elements/ClassesGroups.h"
#include "elements/EditCommands.h"
#include "elements/Filer.h"
#include "elements/PanelElement.h"
#include "elements/Scheme.h"
#include "foundation/Knot.h"
#include "foundation/Service.h"
#include "images/PlatformDecoder.h"
#include "library/DataElement.h"

namespace quillora {
namespace {

class TBenchImageRoot : public TPanelElement {
public:
    QUILLORA_ELEMENT_CLASS(TBenchImageRoot, TPanelElement)
    void GetAcceptedClasses(TElementClassList& list) override { AddClass(list, &TElement_Image::Class()); }
};

constexpr int ImageCount = 50;

// Resident memory in MB (Linux: /proc/self/statm).
double ResidentMegabytes()
{
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return double(resident) * 4096.0 / (1024.0 * 1024.0);
}

TMemoryStream NoisePng(uint32_t seed)
{
    TFrame frame(168, 168);
    for (uint32_t& p : frame.Pixels()) {
        seed = seed * 1103515245u + 12345u;
        p = 0xFF000000u | (seed >> 8);
    }
    TMemoryStream png;
    Service<TPlatformDecoder>().Encode(frame, pePng, png);
    return png;
}

const String& DocumentText()
{
    static const String text = [] {
        TKnot root(u"Quillora");
        for (int i = 0; i < ImageCount; ++i) {
            TKnot* image = root.AddKnot(u"Image");
            image->WriteString(u"Type", u"png");
            image->WriteStream(u"Value", NoisePng(uint32_t(i) + 1));
        }
        return root.SaveToText();
    }();
    return text;
}

void BM_ImageDocumentLoadAndPreview(benchmark::State& state)
{
    InitializeDataElements();
    const String& text = DocumentText();
    // Before the first document: the growth counts what the first one kept.
    const double before = ResidentMegabytes();
    double loaded = 0, previewed = 0;
    for (auto _ : state) {
        auto scheme = std::make_unique<TScheme>(&TBenchImageRoot::Class(), u"Quillora");
        TKnot knot;
        knot.LoadFromText(text);
        scheme->LoadFromKnot(scheme->Root(), smDocument, &knot);
        knot.Clear();
        loaded = ResidentMegabytes();
        size_t bytes = 0;
        for (TElement* e = scheme->Root()->FirstElement(); e; e = e->NextElement()) {
            auto* image = static_cast<TElement_Image*>(e);
            bytes += image->Data().Size();
            benchmark::DoNotOptimize(image->GetPreview());
        }
        previewed = ResidentMegabytes();
        state.counters["data_kb_each"] = double(bytes) / ImageCount / 1024.0;
    }
    state.counters["rss_loaded_mb"] = loaded;
    state.counters["rss_previewed_mb"] = previewed;
    state.counters["growth_mb"] = previewed - before;
}
BENCHMARK(BM_ImageDocumentLoadAndPreview)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace quillora
