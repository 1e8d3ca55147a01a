// Knot reader and writer against two XML parsers on the same bytes: a data-file-like
// document of 10,000 snippets (about 2 MB of UTF-8 with a byte-order mark). At exit
// the throughputs and their ratios are printed.
#include <benchmark/benchmark.h>

#include <expat.h>
#include <pugixml.hpp>

#include <cstdio>
#include <ctime>
#include <cstdlib>
#include <map>
#include <string>

#include "foundation/Knot.h"

namespace quillora {
namespace {

const char16_t* const Words[] = {u"Dear", u"customer", u"thank", u"you", u"for", u"your", u"letter", u"of",
                                 u"May", u"regards", u"caf\u00E9", u"M\u00FCller", u"\u4E2D\u6587", u"&",
                                 u"\"quoted\"", u"<tag>", u"invoice", u"number", u"address", u"Stra\u00DFe"};

// A document shaped like the data file: elements of the root text hold a content knot
// with paragraph knots (one per snippet) of portion knots and inline elements.
std::unique_ptr<TKnot> MakeDocument(int snippets)
{
    auto root = std::make_unique<TKnot>(u"Scheme");
    root->WriteInteger(u"Version", 3);
    TKnot* element = root->AddKnot(u"Element");
    element->WriteString(u"Type", u"Textor");
    element->WriteInteger(u"Id", 1);
    TKnot* content = element->AddKnot(u"Content");
    content->WriteString(u"Font", u"Tahoma");
    content->WriteInteger(u"Size", 9);
    uint32_t seed = 12345;
    auto next = [&seed](uint32_t range) {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % range;
    };
    for (int s = 0; s < snippets; ++s) {
        TKnot* para = content->AddKnot(u"P");
        if (s % 7 == 0) para->WriteString(u"Align", u"Center");
        int portions = 2 + static_cast<int>(next(2));
        for (int p = 0; p < portions; ++p) {
            TKnot* portion = para->AddKnot(u"T");
            String text;
            int words = 3 + static_cast<int>(next(5));
            for (int w = 0; w < words; ++w) {
                if (w) text += u' ';
                text += Words[next(std::size(Words))];
            }
            portion->WriteString(u"Text", text);
            if (p == 1) {
                portion->WriteBool(u"Bold", true);
                portion->WriteColor(u"Color", clNavy);
            }
        }
        if (s % 3 == 0) {
            TKnot* key = para->AddKnot(u"Element");
            key->WriteString(u"Type", u"Key");
            key->WriteString(u"Key", s % 2 ? u"Enter" : u"Tab");
            key->WriteInteger(u"Id", 100 + s);
        }
    }
    return root;
}

struct Fixture {
    std::unique_ptr<TKnot> tree;
    std::string bytes; // UTF-8 with the mark
    Fixture() : tree(MakeDocument(10000))
    {
        TMemoryStream stream;
        tree->SaveToStream(stream, TTextEncoding::Utf8);
        bytes.assign(reinterpret_cast<const char*>(stream.Data()), stream.Size());
    }
};

const Fixture& Data()
{
    static const Fixture fixture;
    return fixture;
}

// MB/s of each benchmark, measured by the benchmark itself, printed at exit.
struct Throughputs {
    std::map<std::string, double> mbPerSecond;
    ~Throughputs()
    {
        auto get = [this](const char* name) {
            auto it = mbPerSecond.find(name);
            return it == mbPerSecond.end() ? 0.0 : it->second;
        };
        const double read = get("KnotRead"), readFree = get("KnotReadFree"), write = get("KnotWrite"), expat = get("ExpatParse"),
                     pugi = get("PugixmlParse"), pugiWrite = get("PugixmlWrite");
        if (read == 0) return;
        std::printf("\nKnot document: %.2f MB\n", static_cast<double>(Data().bytes.size()) / 1e6);
        for (const auto& [name, mbs] : mbPerSecond) std::printf("  %-14s %8.1f MB/s\n", name.c_str(), mbs);
        if (expat > 0) std::printf("  knot reader / expat SAX     = %.2f\n", read / expat);
        if (expat > 0 && readFree > 0) std::printf("  knot reader with freeing / expat SAX   = %.2f\n", readFree / expat);
        if (pugi > 0) std::printf("  knot reader / pugixml DOM   = %.2f\n", read / pugi);
        if (pugi > 0 && readFree > 0) std::printf("  knot reader with freeing / pugixml DOM (freed too) = %.2f\n", readFree / pugi);
        if (pugiWrite > 0 && write > 0) std::printf("  knot writer / pugixml write = %.2f\n", write / pugiWrite);
    }
} throughputs;

// CPU time of this thread: the machine is shared, so wall time says little.
double ThreadSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

// Runs `body` for the benchmark's iterations and records MB/s of `bytes` per CPU second;
// `after` runs outside the measured time.
template <class Body, class After>
void Measure(benchmark::State& state, const char* name, size_t bytes, Body body, After after)
{
    double seconds = 0;
    int64_t runs = 0;
    for (auto _ : state) {
        const double start = ThreadSeconds();
        body();
        seconds += ThreadSeconds() - start;
        ++runs;
        state.PauseTiming();
        after();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
    if (seconds > 0) throughputs.mbPerSecond[name] = static_cast<double>(bytes) * static_cast<double>(runs) / seconds / 1e6;
}

template <class Body>
void Measure(benchmark::State& state, const char* name, size_t bytes, Body body)
{
    Measure(state, name, bytes, body, [] {});
}

// Decoding and parsing into a tree; the tree is freed outside the measured time, and
// the allocator's deferred work for those frees is done there as well.
void KnotRead(benchmark::State& state)
{
    const std::string& bytes = Data().bytes;
    TMemoryStream stream(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    std::unique_ptr<TKnot> knot;
    Measure(
        state, "KnotRead", bytes.size(),
        [&] {
            stream.SetPosition(0);
            knot = std::make_unique<TKnot>();
            knot->LoadFromStream(stream);
            if (knot->Corrupt()) state.SkipWithError("corrupt");
        },
        [&] {
            knot.reset();
            std::free(std::malloc(4096)); // a large request makes the allocator merge the freed blocks now
        });
}
BENCHMARK(KnotRead)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

// The same with freeing the tree measured too.
void KnotReadFree(benchmark::State& state)
{
    const std::string& bytes = Data().bytes;
    TMemoryStream stream(std::vector<uint8_t>(bytes.begin(), bytes.end()));
    Measure(state, "KnotReadFree", bytes.size(), [&] {
        stream.SetPosition(0);
        TKnot knot;
        knot.LoadFromStream(stream);
        if (knot.Corrupt()) state.SkipWithError("corrupt");
        benchmark::DoNotOptimize(knot.FirstChild());
    });
}
BENCHMARK(KnotReadFree)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void KnotWrite(benchmark::State& state)
{
    const Fixture& data = Data();
    Measure(state, "KnotWrite", data.bytes.size(), [&] {
        TMemoryStream stream;
        data.tree->SaveToStream(stream, TTextEncoding::Utf8);
        benchmark::DoNotOptimize(stream.Data());
    });
}
BENCHMARK(KnotWrite)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void ExpatParse(benchmark::State& state)
{
    const std::string& bytes = Data().bytes;
    Measure(state, "ExpatParse", bytes.size(), [&] {
        XML_Parser parser = XML_ParserCreate(nullptr);
        long attributes = 0;
        XML_SetUserData(parser, &attributes);
        XML_SetStartElementHandler(parser, [](void* user, const XML_Char*, const XML_Char** atts) {
            auto* count = static_cast<long*>(user);
            for (; *atts; atts += 2) ++*count;
        });
        if (XML_Parse(parser, bytes.data(), static_cast<int>(bytes.size()), XML_TRUE) != XML_STATUS_OK)
            state.SkipWithError("expat failed");
        benchmark::DoNotOptimize(attributes);
        XML_ParserFree(parser);
    });
}
BENCHMARK(ExpatParse)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void PugixmlParse(benchmark::State& state)
{
    const std::string& bytes = Data().bytes;
    Measure(state, "PugixmlParse", bytes.size(), [&] {
        pugi::xml_document doc;
        if (!doc.load_buffer(bytes.data(), bytes.size())) state.SkipWithError("pugixml failed");
        benchmark::DoNotOptimize(doc.first_child());
    });
}
BENCHMARK(PugixmlParse)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

void PugixmlWrite(benchmark::State& state)
{
    const std::string& bytes = Data().bytes;
    pugi::xml_document doc;
    doc.load_buffer(bytes.data(), bytes.size());
    struct Sink : pugi::xml_writer {
        std::string out;
        void write(const void* data, size_t size) override { out.append(static_cast<const char*>(data), size); }
    };
    Measure(state, "PugixmlWrite", bytes.size(), [&] {
        Sink sink;
        doc.save(sink, "\t", pugi::format_default | pugi::format_write_bom, pugi::encoding_utf8);
        benchmark::DoNotOptimize(sink.out.data());
    });
}
BENCHMARK(PugixmlWrite)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime();

} // namespace
} // namespace quillora
