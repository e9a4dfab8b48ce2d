// One test-processing form from a loaded reading: the data file written and the
// ready template merged into the report (form 1, the largest: 44 lines plus the
// test period found among all frames).
#include <benchmark/benchmark.h>

#include <filesystem>

#include "forms/create_form.h"
#include "recorder/loader.h"
#include "simulation/sample_reading/sample_reading.h"

namespace {

namespace fs = std::filesystem;

void FormFromLoadedReading(benchmark::State& state) {
    const int form = static_cast<int>(state.range(0));
    const fs::path folder = fs::temp_directory_path() / "bench_forms";
    fs::create_directories(folder);
    const std::string name = "Форма " + std::to_string(form) + ".rtf";
    fs::copy_file(fs::path(TIRS_TEMPLATES_DIR) / name, folder / name,
                  fs::copy_options::overwrite_existing);
    sample::SampleOptions options;
    const auto bytes = sample::makeSampleReading(options);
    recorder::Reading reading;
    recorder::loadReading(recorder::DataFile(bytes), reading, {','});
    options.seed = 2;
    const forms::PreviousReading previous =
        forms::readPreviousReading(recorder::DataFile(sample::makeSampleReading(options)));
    const forms::FormFiles files{folder / name, folder / "report.rtf"};
    for (auto _ : state) {
        if (form == 1) forms::createForm1(reading, previous, files, {','});
        if (form == 2) forms::createForm2(reading, previous, files, {','});
        if (form == 3) forms::createForm3(reading, files);
    }
    fs::remove_all(folder);
}
BENCHMARK(FormFromLoadedReading)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
