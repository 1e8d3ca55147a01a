// The benchmarks' main: the platform services first, then Google Benchmark.
#include <benchmark/benchmark.h>

#include "shell/PlatformServices.h"

int main(int argc, char** argv)
{
    quillora::TPlatformServices platformServices;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
