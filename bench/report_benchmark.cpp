// The printed reports laid out and written as PDF, as `litm report` and the
// print preview make them, and `litm report card` over a fleet of readings.
// A plain Qt program: run with QT_QPA_PLATFORM=offscreen.

#include <benchmark/benchmark.h>

#include <QDir>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <cstdlib>
#include <fstream>
#include <string>

#include "recorder/loader.h"
#include "reports/report_files.h"
#include "simulation/sample_reading/sample_reading.h"

namespace {

const recorder::Reading& fullReading() {
    static const recorder::Reading reading = [] {
        sample::SampleOptions options;
        options.bufferFrames = 33;  // all 7293 frames
        options.overloads = 2600;
        recorder::Reading r;
        recorder::loadReading(recorder::DataFile(sample::makeSampleReading(options)), r, {','});
        return r;
    }();
    return reading;
}

QTemporaryDir& scratch() {
    static QTemporaryDir dir;
    return dir;
}

void writeReport(benchmark::State& state, reports::ReportKind kind) {
    const recorder::Reading& r = fullReading();
    const QString path = scratch().filePath("bench.pdf");
    for (auto _ : state) {
        QString error;
        if (!reports::writeReportPdf(kind, r, {','}, {0, 7292}, path, error))
            state.SkipWithError(error.toStdString().c_str());
    }
}

void BM_OperationalInformationAllFrames(benchmark::State& state) {
    writeReport(state, reports::ReportKind::Frames);
}
BENCHMARK(BM_OperationalInformationAllFrames)->Unit(benchmark::kMillisecond)->MinTime(3);

void BM_Card(benchmark::State& state) {
    writeReport(state, reports::ReportKind::Card);
}
BENCHMARK(BM_Card)->Unit(benchmark::kMillisecond);

void BM_AppendixAllFrames(benchmark::State& state) {
    writeReport(state, reports::ReportKind::Appendix);
}
BENCHMARK(BM_AppendixAllFrames)->Unit(benchmark::kMillisecond);

void BM_OverloadsAll(benchmark::State& state) {
    writeReport(state, reports::ReportKind::Overloads);
}
BENCHMARK(BM_OverloadsAll)->Unit(benchmark::kMillisecond);

// A hundred readings written as files, once.
QString fleet() {
    static const QString folder = [] {
        const QString dir = scratch().filePath("fleet");
        QDir().mkpath(dir);
        for (int i = 0; i < 100; ++i) {
            sample::SampleOptions options;
            options.seed = static_cast<std::uint64_t>(i + 1);
            const auto bytes = sample::makeSampleReading(options);
            std::ofstream(QDir(dir).filePath(QString("r%1.litm").arg(i)).toStdString(),
                          std::ios::binary)
                .write(reinterpret_cast<const char*>(bytes.data()),
                       static_cast<long>(bytes.size()));
        }
        return dir;
    }();
    return folder;
}

// `litm report card` started once per reading, as a shell loop over a fleet does.
void BM_LitmReportCardLoopOf100(benchmark::State& state) {
    const std::string dir = fleet().toStdString();
    const std::string command = "for f in '" + dir + "'/*.litm; do " + LITM_PATH +
                                " report card \"$f\" --pdf \"${f%.litm}.pdf\" || exit 1; done";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("litm report failed");
}
BENCHMARK(BM_LitmReportCardLoopOf100)->Unit(benchmark::kSecond)->Iterations(1);

// The same hundred in one run, one PDF each into a folder.
void BM_LitmReportCardFleetOf100(benchmark::State& state) {
    const std::string dir = fleet().toStdString();
    const std::string command =
        std::string(LITM_PATH) + " report card '" + dir + "'/*.litm --pdf '" + dir + "/cards'";
    for (auto _ : state)
        if (std::system(command.c_str()) != 0) state.SkipWithError("litm report failed");
}
BENCHMARK(BM_LitmReportCardFleetOf100)->Unit(benchmark::kSecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
