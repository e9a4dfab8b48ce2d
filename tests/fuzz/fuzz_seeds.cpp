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
#include "tests/fuzz/fuzz_readings.h"

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
    // Made afresh: a seed an older generator wrote must not stay behind.
    for (const char* target :
         {"load_reading", "load_reading_files", "device_receive", "report_engine"})
        fs::remove_all(folder / target);

    // Data files: whole ones, as the generator makes them (replayed only: the
    // fuzzer takes the short form below), a short one among them.
    using fuzzing::BaseReading;
    const std::string reading = text(fuzzing::baseReading(BaseReading::Good));
    put(folder / "load_reading_files" / "good.litm", reading);
    put(folder / "load_reading_files" / "damaged.litm",
        text(fuzzing::baseReading(BaseReading::Damaged)));
    put(folder / "load_reading_files" / "full.litm", text(fuzzing::baseReading(BaseReading::Full)));
    put(folder / "load_reading_files" / "short.litm", reading.substr(0, 240000));

    // The same as changes to a generated reading: which one, the decimal
    // separator and the charts, a cut, then patches (anchor, offset, count, bytes).
    const fs::path load = folder / "load_reading";
    put(load / "good", std::string(1, '\x30'));
    put(load / "damaged", std::string(1, '\x31'));
    put(load / "full_comma", std::string(1, '\x36'));
    put(load / "zeros", std::string(1, '\x03'));
    put(load / "short", std::string("\x08\x80\xA9\x03", 4));  // 240000 bytes
    put(load / "pointers", std::string("\x00\x07\x00\x00\x08\xFF\xFF\x00\x00\x10\x27\x00\x00", 13));
    put(load / "bank_erased", std::string("\x00\x04\x00\x00\x8A\xFF", 6));
    put(load / "overloads",
        std::string("\x02\x08\x0A\x00\x0A\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A", 15));
    put(load / "trailer", std::string("\x00\x0F\x00\x00\x05\xFF\x41\x42\x00\x43", 10));

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
