// The undo engine under a typing burst: many small operations added, merged, undone
// and redone; and zlib compression of image-sized data kept for undo.
#include <benchmark/benchmark.h>

#include <vector>

#include "foundation/UndoRedo.h"
#include "foundation/Utils.h"

using namespace quillora;

namespace {

struct CharOp : TOperation {
    int* counter;
    bool merges;
    CharOp(int* c, bool m) : counter(c), merges(m) {}
    void DoExecute() override { ++*counter; }
    void DoUndo() override { --*counter; }
    bool MergeWith(TOperation* previous) override { return merges && dynamic_cast<CharOp*>(previous); }
};

void BM_AddUndoRedo(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    int counter = 0;
    for (auto _ : state) {
        TUndoRedo engine;
        engine.SetLimit(static_cast<int>(state.range(1)));
        for (int i = 0; i < count; ++i) engine.Add(new CharOp(&counter, false));
        while (engine.CanUndo()) engine.Undo();
        while (engine.CanRedo()) engine.Redo();
        benchmark::DoNotOptimize(counter);
    }
    state.SetItemsProcessed(state.iterations() * count * 3);
}
// Second argument: the history's limit (0: unbounded).
BENCHMARK(BM_AddUndoRedo)->Args({1000, 0})->Args({100000, 0})->Args({100000, TUndoRedo::DefaultLimit});

void BM_AddMerging(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    int counter = 0;
    for (auto _ : state) {
        TUndoRedo engine;
        for (int i = 0; i < count; ++i) engine.Add(new CharOp(&counter, true));
        benchmark::DoNotOptimize(engine.CanUndo());
    }
    state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK(BM_AddMerging)->Arg(100000);

void BM_CompressRoundTrip(benchmark::State& state)
{
    // A 1 MB picture-like buffer: runs of colour with some noise.
    std::vector<uint8_t> bytes(1 << 20);
    uint32_t seed = 1;
    for (size_t i = 0; i < bytes.size(); ++i) {
        seed = seed * 1103515245u + 12345u;
        bytes[i] = static_cast<uint8_t>((i / 64) % 251 + ((seed >> 24) & 3));
    }
    TMemoryStream source(bytes);
    for (auto _ : state) {
        TMemoryStream packed, unpacked;
        CompressStream(source, packed);
        DecompressStream(packed, unpacked);
        benchmark::DoNotOptimize(unpacked.Data());
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_CompressRoundTrip);

} // namespace
