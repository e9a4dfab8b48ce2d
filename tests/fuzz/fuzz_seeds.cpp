// Writes the seed inputs of the fuzz targets, made by the reading generator, into
// FOLDER/load_reading, FOLDER/report_engine and FOLDER/device_receive.
//
//     fuzz_seeds FOLDER

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "recorder/datafile.h"
#include "tools/sample_reading/sample_reading.h"

namespace {

namespace fs = std::filesystem;

void put(const fs::path& path, const std::string& bytes) {
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string text(const std::vector<std::uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds FOLDER\n");
        return 64;
    }
    const fs::path folder = argv[1];

    // Data files: a good reading, a damaged one, a short one, a full page buffer.
    sample::SampleOptions good;
    const std::string reading = text(sample::makeSampleReading(good));
    put(folder / "load_reading" / "good.litm", reading);
    sample::SampleOptions damaged;
    damaged.seed = 2;
    damaged.faults.badBlocks = {{0, 2}, {1, 5}};
    damaged.faults.badFrames = {0, 7000};
    damaged.faults.wrongImageSum = true;
    damaged.faults.eraseBank1 = true;
    put(folder / "load_reading" / "damaged.litm", text(sample::makeSampleReading(damaged)));
    sample::SampleOptions full;
    full.seed = 3;
    full.bufferFrames = 33;
    full.overloads = 2600;
    full.pagePointer = 100;
    put(folder / "load_reading" / "full.litm", text(sample::makeSampleReading(full)));
    put(folder / "load_reading" / "short.litm", reading.substr(0, 240000));

    // The device: the answer to the probe, the length of the stream, the bytes
    // that arrive at each read (in 61s, 0 for all), the first bytes of the stream.
    auto stream = [](std::size_t length, int piece, const std::string& start) {
        std::string bytes = "\xA0";
        for (int i = 0; i < 3; ++i) bytes.push_back(static_cast<char>(length >> (8 * i) & 0xFF));
        return bytes + static_cast<char>(piece) + start;
    };
    const std::string image = reading.substr(0, recorder::kImageSize);
    put(folder / "device_receive" / "good", stream(image.size(), 0, image));
    put(folder / "device_receive" / "zeros", stream(image.size(), 67, ""));
    put(folder / "device_receive" / "short", stream(5000, 3, image.substr(0, 5000)));
    put(folder / "device_receive" / "overrun",
        stream(image.size() + 100, 0, image.substr(0, 2000)));
    put(folder / "device_receive" / "wrong_answer", "\x55");

    // The engine: a template, NUL, the data file. A form with fields and a
    // table, the delimiter and OEM switches, a plain-text template.
    const std::string form =
        "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f3\\fcharset0 Symbol;}}\n"
        "{\\pard \\b #Tip{\\b Krana}#\\b0  \\u1085\\'3f #NKran# #DATE# #TIME#\\par}\n"
        "{\\f1 #1#}{\\f1 \\par }\n\\trowd\\cellx1000\\cellx5000 #Num#\\cell #Name#\\cell\\row\n"
        "{\\f1 #1#}{\\f1 \\par }\n#@$$#{\\pard $$Total$$ $$_SYM1$$ ##$$EOP$$\\par}$$@#$$ #D12# "
        "#FONT=a.ttf#}";
    const std::string rows =
        "# a comment\r\n|0:TipKrana:\xCA\xD1-55713\r\n|0:NKran:1234\r\n"
        "|1:Num:1|1:Name:{\xC0}\\|EOL:b\r\n|1:Num:2|1:Name:x|EOP:y\r\n"
        "|DOS:\r\n|0:Total:\x80\x81\r\n|WIN:\r\n|0:_SYM1:ab\r\n|12:k:v\r\n|1000:k:x\r\n";
    put(folder / "report_engine" / "form", form + '\0' + rows);
    put(folder / "report_engine" / "plain", std::string("Plain #A# and ## #EOP# #1#[#B#]#1#\n") +
                                                '\0' + "|0:A:a|EOL:b\n|1:B:1\n|1:B:2");
    put(folder / "report_engine" / "unpaired", std::string("{\\rtf1 #A# #}") + '\0' + "|0:A:1\n");
    return 0;
}
