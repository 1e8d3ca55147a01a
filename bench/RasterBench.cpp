// Raster throughput at 1920 x 1080: blended block transfer and nine-part frames, against a
// plain memory copy of the same bytes. Every result shows megapixels per second ("MP/s")
// and its share of the copy's rate ("of_copy", 1 = as fast as the copy; printed as a rate
// with "/s", which it is not).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>
#include <cstring>
#include <vector>

#include "render/Bitmap32.h"
#include "render/Blend.h"
#include "render/NinePart.h"

namespace {

using namespace quillora;

constexpr int Width = 1920;
constexpr int Height = 1080;
constexpr double Pixels = double{Width} * Height;

// Pixels with every alpha from 0 to 255 in no order, so no kernel can skip work.
void FillVaried(TBitmap32& bitmap, uint32_t seed)
{
    uint32_t x = seed;
    for (int y = 0; y < bitmap.Height(); ++y) {
        TColor32* row = bitmap.ScanLine(y);
        for (int i = 0; i < bitmap.Width(); ++i) {
            x = x * 1664525u + 1013904223u;
            row[i] = x;
        }
    }
}

// The best rate of a plain copy of one 1920 x 1080 bitmap, in pixels per second of
// processor time (the time the benchmarks report too, steadier than wall time on a
// shared machine).
double CopyRate()
{
    static const double rate = [] {
        std::vector<TColor32> from(Width * Height, 0x12345678), to(Width * Height);
        constexpr int Batch = 20;
        double best = 1e9;
        for (int run = 0; run < 5; ++run) {
            const std::clock_t start = std::clock();
            for (int i = 0; i < Batch; ++i) {
                std::memcpy(to.data(), from.data(), from.size() * sizeof(TColor32));
                benchmark::DoNotOptimize(to.data());
                benchmark::ClobberMemory();
            }
            best = std::min(best, static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC / Batch);
        }
        return Pixels / best;
    }();
    return rate;
}

void Report(benchmark::State& state)
{
    const double pixels = Pixels * static_cast<double>(state.iterations());
    state.counters["MP/s"] = benchmark::Counter(pixels / 1e6, benchmark::Counter::kIsRate);
    state.counters["of_copy"] = benchmark::Counter(pixels / CopyRate(), benchmark::Counter::kIsRate);
}

void BM_MemoryCopy(benchmark::State& state)
{
    std::vector<TColor32> from(Width * Height, 0x12345678), to(Width * Height);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size() * sizeof(TColor32));
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    Report(state);
}
BENCHMARK(BM_MemoryCopy)->Unit(benchmark::kMicrosecond);

void BM_OpaqueTransfer(benchmark::State& state)
{
    TBitmap32 source(Width, Height), target(Width, Height);
    FillVaried(source, 1);
    for (auto _ : state) {
        target.Draw(0, 0, source);
        benchmark::ClobberMemory();
    }
    Report(state);
}
BENCHMARK(BM_OpaqueTransfer)->Unit(benchmark::kMicrosecond);

void BM_BlendTransfer(benchmark::State& state)
{
    TBitmap32 source(Width, Height), target(Width, Height);
    FillVaried(source, 1);
    FillVaried(target, 2);
    source.SetDrawMode(dmBlend);
    for (auto _ : state) {
        target.Draw(0, 0, source);
        benchmark::ClobberMemory();
    }
    Report(state);
}
BENCHMARK(BM_BlendTransfer)->Unit(benchmark::kMicrosecond);

// The portable kernel alone, as used on processors without AVX2.
void BM_BlendTransferPortableKernel(benchmark::State& state)
{
    TBitmap32 source(Width, Height), target(Width, Height);
    FillVaried(source, 1);
    FillVaried(target, 2);
    for (auto _ : state) {
        for (int y = 0; y < Height; ++y)
            BlendLineGeneric(source.ScanLine(y), target.ScanLine(y), Width);
        benchmark::ClobberMemory();
    }
    Report(state);
}
BENCHMARK(BM_BlendTransferPortableKernel)->Unit(benchmark::kMicrosecond);

void BM_MergeTransfer(benchmark::State& state)
{
    TBitmap32 source(Width, Height), target(Width, Height);
    FillVaried(source, 1);
    FillVaried(target, 2);
    source.SetDrawMode(dmBlend);
    source.SetCombineMode(cmMerge);
    for (auto _ : state) {
        target.Draw(0, 0, source);
        benchmark::ClobberMemory();
    }
    Report(state);
}
BENCHMARK(BM_MergeTransfer)->Unit(benchmark::kMicrosecond);

void BM_FillRectBlend(benchmark::State& state)
{
    TBitmap32 target(Width, Height);
    FillVaried(target, 2);
    for (auto _ : state) {
        target.FillRectBlend(target.BoundsRect(), 0x825F8FD8);
        benchmark::ClobberMemory();
    }
    Report(state);
}
BENCHMARK(BM_FillRectBlend)->Unit(benchmark::kMicrosecond);

// A nine-part frame over the whole bitmap, blended: a 23 x 23 decoration with 11-pixel
// bands (edges and centre stretched from one pixel), and a 24 x 24 one with 6-pixel bands
// whose edges and 12 x 12 centre are tiled.
void NinePart(benchmark::State& state, int size, int zone, TFillMode mode)
{
    TBitmap32 source(size, size), target(Width, Height);
    FillVaried(source, 3);
    FillVaried(target, 2);
    source.SetDrawMode(dmBlend);
    const TNinePart parts{Rect(zone, zone, zone, zone), mode, mode, mode, mode, mode};
    for (auto _ : state) {
        DrawNinePart(target, target.BoundsRect(), source, source.BoundsRect(), parts);
        benchmark::ClobberMemory();
    }
    Report(state);
}

void BM_NinePartStretch(benchmark::State& state)
{
    NinePart(state, 23, 11, fmStretch);
}
BENCHMARK(BM_NinePartStretch)->Unit(benchmark::kMicrosecond);

void BM_NinePartTile(benchmark::State& state)
{
    NinePart(state, 24, 6, fmTile);
}
BENCHMARK(BM_NinePartTile)->Unit(benchmark::kMicrosecond);

} // namespace
