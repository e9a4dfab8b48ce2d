// Fuzz target: a data file as the open command takes it. Every check, every
// decoder and every text a window, report or form shows from it.
//
// An input of more than kCompactMax bytes is the file itself. A shorter one
// describes a file as changes to a generated reading, so that a mutation lands
// in a whole file, where the checks and decoders read it, instead of making a
// short one:
//   byte 0      bits 0-1: the reading (good, damaged, full page buffer, zeros);
//               bit 2: ',' as the decimal separator; bit 3: the file is cut;
//               bits 4 and 5 both: the charts' data is made too (a whole file:
//               always; it costs as much as the load, and adds little coverage)
//   bytes 1-3   with bit 3, the length of the file (little-endian)
//   then patches, each: an anchor (1 byte, into kAnchors), an offset from it
//   (2 bytes), a count c (1 byte), then c bytes to write (c < 128) or one byte
//   to write (c - 127) * 32 times.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "recorder/chart_data.h"
#include "recorder/datafile.h"
#include "recorder/loader.h"
#include "recorder/record_fields.h"
#include "recorder/selection.h"
#include "tests/fuzz/fuzz_readings.h"

namespace {

constexpr std::size_t kCompactMax = 4096;

// Where patches start: the frame pages, the banks, the page buffer, the pointer
// block, the record regions, the image sum and the trailer.
constexpr std::array<std::size_t, 16> kAnchors = {
    0,
    65536,
    131072,
    196608,  // frame pages
    recorder::kBank0Offset,
    recorder::kBank1Offset,
    recorder::kBufferFramesOffset,
    recorder::kPointerBlockOffset,
    recorder::kMemoryBase + recorder::kOverloadRegionStart,
    recorder::kMemoryBase + recorder::kOverloadRegionStart + 13000,
    recorder::kMemoryBase + recorder::kKdsRegionStart,
    recorder::kMemoryBase + recorder::kSettingsRegionStart,
    recorder::kImageSumOffset,
    recorder::kImageSumOffset + 4,
    recorder::kGapOffset - 64,
    recorder::kGapOffset,
};

// What is shown of a loaded file besides its texts.
struct Shown {
    bool comma = false;          // the decimal separator
    bool charts = true;          // both charts' data
    std::vector<int> frames;     // frame rows a patch wrote
    std::vector<int> overloads;  // overload rows a patch wrote
};

// The table rows whose bytes a patch at offset writes into.
void noteRows(std::size_t offset, Shown& shown) {
    using namespace recorder;
    const std::size_t overloads = kMemoryBase + kOverloadRegionStart;
    if (offset < kPageFrames * kFrameSize)
        shown.frames.push_back(static_cast<int>(offset / kFrameSize));
    else if (offset >= kBufferFramesOffset &&
             offset < kBufferFramesOffset + kBufferFramesMax * kFrameSize)
        shown.frames.push_back(
            static_cast<int>(kPageFrames + (offset - kBufferFramesOffset) / kFrameSize));
    else if (offset >= overloads && offset < overloads + kOverloadTableSize * kRecordSize)
        shown.overloads.push_back(static_cast<int>((offset - overloads) / kRecordSize));
}

// The file an input stands for, in a buffer kept from input to input.
void fileOf(const std::uint8_t* data, std::size_t size, std::vector<std::uint8_t>& file,
            Shown& shown) {
    // The loader keeps no more than the image and its trailer of any file.
    if (size > kCompactMax) {
        file.assign(data, data + std::min(size, recorder::kNormalFileSize));
        shown.comma = size % 2 != 0;
        return;
    }
    using fuzzing::BaseReading;
    static const std::array<std::vector<std::uint8_t>, 4> readings = {
        fuzzing::baseReading(BaseReading::Good), fuzzing::baseReading(BaseReading::Damaged),
        fuzzing::baseReading(BaseReading::Full), fuzzing::baseReading(BaseReading::Zeros)};
    if (size == 0) {
        file.clear();
        return;
    }
    const std::uint8_t flags = data[0];
    shown.comma = (flags & 4) != 0;
    shown.charts = (flags & 0x30) == 0x30;
    const auto& reading = readings[flags & 3];
    file.assign(reading.begin(), reading.end());
    std::size_t at = 1;
    if (flags & 8) {
        std::size_t length = 0;
        for (int i = 0; i < 3 && at < size; ++i) length |= std::size_t{data[at++]} << (8 * i);
        file.resize(std::min(length, file.size()));
    }
    while (at + 4 <= size) {
        std::size_t offset =
            kAnchors[data[at] % kAnchors.size()] + (data[at + 1] | data[at + 2] << 8);
        const std::size_t count = data[at + 3];
        at += 4;
        noteRows(offset, shown);
        if (count < 128) {
            const std::size_t n = std::min(count, size - at);
            if (offset < file.size())
                std::memcpy(file.data() + offset, data + at, std::min(n, file.size() - offset));
            at += n;
        } else if (at < size) {
            const std::size_t n = (count - 127) * 32;
            if (offset < file.size())
                std::memset(file.data() + offset, data[at], std::min(n, file.size() - offset));
            ++at;
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static std::vector<std::uint8_t> buffer;
    Shown shown;
    fileOf(data, size, buffer, shown);
    recorder::DataFile file(std::move(buffer));
    static recorder::Reading reading;  // every load replaces all of it
    recorder::NumberFormat format;
    format.decimalSeparator = shown.comma ? ',' : '.';
    recorder::loadReading(file, reading, format);

    std::size_t length = reading.addressReportText().size();
    for (const auto& [name, text] : reading.texts.entries()) length += name.size() + text.size();
    for (const auto& line : reading.LoadErrorLog) length += line.size();
    // The texts of the table rows: those of a first and a last page, a spread
    // between, and every row a patch wrote (all of them would slow the search
    // and add nothing: every row is made the same way).
    auto rowShown = [](int i, int count, const std::vector<int>& patched) {
        return i < 8 || i >= count - 8 || i % 211 == 0 ||
               std::find(patched.begin(), patched.end(), i) != patched.end();
    };
    const auto& frameFields = recorder::frameFields();
    for (int i = 0; i < reading.FrameCount; ++i) {
        if (!rowShown(i, reading.FrameCount, shown.frames)) continue;
        const auto& frame = reading.FrameTable[static_cast<std::size_t>(i)];
        for (int f = 0; f < static_cast<int>(frameFields.size()); ++f)
            length += recorder::fieldText(recorder::frameFieldValue(frame, f), format).size();
    }
    const auto& overloadFields = recorder::overloadFields();
    for (int i = 0; i < reading.OverloadCount; ++i) {
        if (!rowShown(i, reading.OverloadCount, shown.overloads)) continue;
        const auto& record = reading.OverloadTable[static_cast<std::size_t>(i)];
        for (int f = 0; f < static_cast<int>(overloadFields.size()); ++f)
            length += recorder::fieldText(recorder::overloadFieldValue(record, f), format).size();
    }
    length += recorder::parameterChartTitle(reading).size();
    if (shown.charts) {
        length += recorder::parameterChartData(reading).dateMarks.size();
        (void)recorder::protectionChartData(reading);
    }
    length += static_cast<std::size_t>(recorder::selectFramesByLoad(reading, 50).count);
    length += static_cast<std::size_t>(recorder::selectOverloadsByLoad(reading, 25).count);
    buffer = file.takeBytes();
    return length == SIZE_MAX ? 1 : 0;
}
