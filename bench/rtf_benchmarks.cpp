// The report engine on large inputs: a large template with many distinct fields
// filled by level-0 lines, and a block filled by many rows. Each size is run at
// double the size too, to show how the time grows.
#include <benchmark/benchmark.h>
#include <malloc.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "rtf/report_engine.h"

namespace {

namespace fs = std::filesystem;

const fs::path& Folder() {
    static const fs::path folder = [] {
        fs::path p = fs::temp_directory_path() / "bench_rtf";
        fs::create_directories(p);
        return p;
    }();
    return folder;
}

void Write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

const std::string kHeader =
    "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fcharset0 Times New Roman;}{\\f1\\fcharset0 Arial;}}\n";

void Merge(benchmark::State& state, const fs::path& data, const fs::path& templ) {
    const fs::path report = Folder() / "report.rtf";
    for (auto _ : state) {
        state.PauseTiming();
        fs::remove(report);
        state.ResumeTiming();
        RepoRTF_interface::CreateReport(data, templ, report);
    }
    state.counters["report_MB"] = static_cast<double>(fs::file_size(report)) / 1e6;
}

// About 100 template bytes per field: range(0) fields make a template of about
// range(0) * 100 bytes, filled by as many level-0 lines in shuffled order.
void BM_DocumentFields(benchmark::State& state) {
    const int fields = static_cast<int>(state.range(0));
    std::string templ = kHeader;
    std::vector<std::string> lines;
    for (int i = 0; i < fields; ++i) {
        templ += "{\\pard\\f1 \\b Parameter " + std::to_string(i) + ":\\b0 #Field" +
                 std::to_string(i) + "# units, text that fills a line of the printed form\\par}\n";
        lines.push_back("|0:Field" + std::to_string(i) + ":\xC7\xED\xE0\xF7\xE5\xED\xE8\xE5 " +
                        std::to_string(i) + "\r\n");
    }
    templ += "}";
    std::shuffle(lines.begin(), lines.end(), std::mt19937(7));
    std::string data;
    for (const auto& l : lines) data += l;
    const fs::path t = Folder() / ("fields_" + std::to_string(fields) + ".rtf");
    const fs::path d = Folder() / ("fields_" + std::to_string(fields) + ".txt");
    Write(t, templ);
    Write(d, data);
    state.counters["template_MB"] = static_cast<double>(templ.size()) / 1e6;
    Merge(state, d, t);
}
BENCHMARK(BM_DocumentFields)->Arg(10000)->Arg(20000)->Arg(40000)->Unit(benchmark::kMillisecond);

// A table whose row is block 1, filled by range(0) rows of three pairs each.
void BM_BlockRows(benchmark::State& state) {
    const int rows = static_cast<int>(state.range(0));
    std::string templ = kHeader + "{\\pard\\b Report #Title# of #DATE#\\par}\n" +
                        "{\\f1 #1#}{\\f1 \\par }\n"
                        "\\trowd\\cellx1000\\cellx5000\\cellx7000 #Num#\\cell #Name#\\cell "
                        "#Value#\\cell\\row\n"
                        "{\\f1 #1#}{\\f1 \\par }\n{\\pard Total: #Total#\\par}\n}";
    std::string data = "|0:Title:\xD2\xE5\xF1\xF2\r\n";
    for (int i = 0; i < rows; ++i) {
        data += "|1:Num:" + std::to_string(i) + "|1:Name:\xCA\xF0\xE0\xED {" +
                std::to_string(i % 97) + "}|1:Value:" + std::to_string(i * 7 % 1000) + ".5\r\n";
    }
    data += "|0:Total:" + std::to_string(rows) + "\r\n";
    const fs::path t = Folder() / "rows.rtf";
    const fs::path d = Folder() / ("rows_" + std::to_string(rows) + ".txt");
    Write(t, templ);
    Write(d, data);
    state.counters["data_MB"] = static_cast<double>(data.size()) / 1e6;
    Merge(state, d, t);
}
BENCHMARK(BM_BlockRows)->Arg(100000)->Arg(200000)->Arg(400000)->Unit(benchmark::kMillisecond);

// Peak memory of one merge of a 50 MB template, as a multiple of the input (the
// template and the data file together), and its time. The peak is the resident
// set's high-water mark, reset just before the merge (/proc/self/clear_refs), less
// what was resident before it (with the free heap given back). The template shapes (range(0)):
//   0  "#a#" every 3 bytes, one data line fills them all
//   1  7-byte fields "#F1234#" of 9000 names, one data line each
//   2  plain text without fields, no data
//   3  a field every 100 bytes, each its own name and data line (dense)
//   4  a field every 2000 bytes, each its own name and data line (a form)
//   5  10-byte fields "#F1234567#", each its own name and data line (the most
//      keys for the input: the engine's cost per key shows)
long StatusKiB(const char* field) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field, 0) == 0) return std::stol(line.substr(std::strlen(field)));
    return -1;
}

constexpr std::size_t kPeakTemplateBytes = 50'000'000;

void NamedFields(std::size_t perField, std::string& templ, std::string& data) {
    const std::string filler(perField > 100 ? perField - 100 : 0, 'x');
    for (int i = 0; templ.size() < kPeakTemplateBytes; ++i) {
        templ += "{\\pard\\f1 \\b Parameter " + std::to_string(i) + ":\\b0 #Field" +
                 std::to_string(i) + "# units, text that fills a line " + filler + "\\par}\n";
        data += "|0:Field" + std::to_string(i) + ":\xC7\xED\xE0\xF7\xE5\xED\xE8\xE5 " +
                std::to_string(i) + "\r\n";
    }
}

void PeakShape(int shape, std::string& templ, std::string& data) {
    templ = kHeader;
    switch (shape) {
        case 0:
            while (templ.size() < kPeakTemplateBytes) templ += "#a#";
            data = "|0:a:value\r\n";
            break;
        case 1:
            for (int i = 0; templ.size() < kPeakTemplateBytes; ++i)
                templ += "#F" + std::to_string(1000 + i % 9000) + "#";
            for (int i = 0; i < 9000; ++i)
                data += "|0:F" + std::to_string(1000 + i) + ":v" + std::to_string(i) + "\r\n";
            break;
        case 2:
            while (templ.size() < kPeakTemplateBytes)
                templ += "{\\pard plain text of a template without any field at all\\par}\n";
            break;
        case 5:
            for (int i = 0; templ.size() < kPeakTemplateBytes; ++i) {
                const std::string name = "F" + std::to_string(10000000 + i).substr(1);
                templ += "#" + name + "#";
                data += "|0:" + name + ":v\r\n";
            }
            break;
        default:
            NamedFields(shape == 3 ? 100 : 2000, templ, data);
    }
    templ += "}";
}

void BM_PeakMemory(benchmark::State& state) {
    std::string templ, data;
    PeakShape(static_cast<int>(state.range(0)), templ, data);
    const fs::path t = Folder() / "peak.rtf";
    const fs::path d = Folder() / "peak.txt";
    Write(t, templ);
    Write(d, data);
    const double input = static_cast<double>(templ.size() + data.size());
    templ = std::string();
    data = std::string();
    const fs::path report = Folder() / "peak_report.rtf";
    double peak = 0;
    for (auto _ : state) {
        // The heap the inputs were built in goes back first: the merge would
        // reuse it unseen.
        malloc_trim(0);
        const long before = StatusKiB("VmRSS:");
        std::ofstream("/proc/self/clear_refs") << "5";
        RepoRTF_interface::CreateReport(d, t, report);
        peak = static_cast<double>(StatusKiB("VmHWM:") - before) * 1024;
    }
    state.counters["input_MB"] = input / 1e6;
    state.counters["report_MB"] = static_cast<double>(fs::file_size(report)) / 1e6;
    state.counters["peak_MB"] = peak / 1e6;
    state.counters["peak_per_input"] = peak / input;
    fs::remove(report);
}
BENCHMARK(BM_PeakMemory)->DenseRange(0, 5)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
