// The benchmarks' entry point: Google Benchmark's, followed by the source-statement table.

#include "SourceTable.h"

#include <benchmark/benchmark.h>

#include <iostream>

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    orv::bench::printSourceTable(std::cout);
    benchmark::Shutdown();
    return 0;
}
