// Load, check and decode of one full reading, as the window does on "Открыть".

#include <benchmark/benchmark.h>

#include "recorder/loader.h"
#include "recorder/selection.h"
#include "simulation/sample_reading/sample_reading.h"

namespace {

const recorder::DataFile& sampleFile() {
    static const recorder::DataFile file(sample::makeSampleReading(sample::SampleOptions{}));
    return file;
}

void BM_LoadCheckDecode(benchmark::State& state) {
    const auto& file = sampleFile();
    recorder::Reading reading;
    for (auto _ : state) {
        recorder::loadReading(file, reading, {','});
        benchmark::DoNotOptimize(reading.FrameTable.data());
    }
}
BENCHMARK(BM_LoadCheckDecode)->Unit(benchmark::kMicrosecond);

void BM_ChecksOnly(benchmark::State& state) {
    const auto& file = sampleFile();
    recorder::Reading reading;
    for (auto _ : state) {
        recorder::checkDataFile(file, reading);
        benchmark::DoNotOptimize(reading.LoadErrorLog.data());
    }
}
BENCHMARK(BM_ChecksOnly)->Unit(benchmark::kMicrosecond);

void BM_ClearAll(benchmark::State& state) {
    recorder::Reading reading;
    recorder::loadReading(sampleFile(), reading, {','});
    for (auto _ : state) {
        reading.ClearAll();
        benchmark::DoNotOptimize(reading.FrameTable.data());
    }
}
BENCHMARK(BM_ClearAll)->Unit(benchmark::kMicrosecond);

void BM_DecodeOnly(benchmark::State& state) {
    recorder::Reading reading;
    for (auto _ : state) {
        recorder::decodeDataFile(sampleFile(), reading, {','});
        benchmark::DoNotOptimize(reading.FrameTable.data());
    }
}
BENCHMARK(BM_DecodeOnly)->Unit(benchmark::kMicrosecond);

void BM_SelectAllFramesByLoad(benchmark::State& state) {
    recorder::Reading reading;
    recorder::loadReading(sampleFile(), reading, {','});
    for (auto _ : state) {
        auto s = recorder::selectFramesByLoad(reading, 0);
        benchmark::DoNotOptimize(s.entries.data());
    }
}
BENCHMARK(BM_SelectAllFramesByLoad)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
