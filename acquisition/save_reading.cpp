#include "acquisition/save_reading.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "base/codepage.h"
#include "base/utf8_path.h"

namespace acquisition {

namespace {

std::string twoDigits(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value % 100);
    return text;
}

}  // namespace

std::string formatReadingDate(const std::tm& when) {
    return twoDigits(when.tm_mday) + "." + twoDigits(when.tm_mon + 1) + "." +
           std::to_string(when.tm_year + 1900) + " " + twoDigits(when.tm_hour) + ":" +
           twoDigits(when.tm_min);
}

recorder::ServiceTexts defaultServiceTexts(const std::tm& now) {
    recorder::ServiceTexts texts;
    texts.owner = "ООО \"Владелец крана\"";
    texts.serviceOrganisation = "ООО \"Сервисный центр\"";
    texts.operatorName = "Иванов И.И.";
    texts.certificateNumber = "Н\\3";
    texts.certificateValidUntil = "00.00.0000";
    texts.readingDate = formatReadingDate(now);
    return texts;
}

std::string proposedFileName(std::span<const std::uint8_t> image, const std::tm& now) {
    const recorder::DataFile file(std::vector<std::uint8_t>(
        image.begin(), image.begin() + std::min(image.size(), recorder::kImageSize)));
    std::string model = file.textSlot(recorder::kBank0Offset + recorder::bank::kCraneModel,
                                      recorder::bank::kCraneModelWidth);
    const int number = file.i16(recorder::kBank0Offset + recorder::bank::kCraneNumber);
    const std::string date = twoDigits(now.tm_mday) + "." + twoDigits(now.tm_mon + 1) + "." +
                             twoDigits(now.tm_year) + " " + twoDigits(now.tm_hour) + "-" +
                             twoDigits(now.tm_min);
    std::string name = model + " №" + std::to_string(number) + " " + date;
    // The model comes from the recorder and may hold a slash or other characters
    // that would make the name a path or an invalid file name.
    for (char& c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || std::strchr("/\\:*?\"<>|", c) != nullptr) c = '_';
    }
    return name;
}

SaveResult saveReading(const std::filesystem::path& target, std::span<const std::uint8_t> image,
                       const recorder::ServiceTexts& texts, StatusSink& sink, int& unsavedReading) {
    const std::vector<std::uint8_t> bytes = recorder::composeDataFile(image, texts);
    int gauge = -1;
    const SaveResult result = fileio::writeFileSafely(target, bytes, [&](std::size_t written) {
        const int value = static_cast<int>(std::min(written, recorder::kImageSize) / 2700);
        if (value != gauge) sink.setGauge(gauge = value);
    });
    sink.setGauge(0);
    if (!result.ok) {
        sink.setStatusText("Файл не сохранен: " + base::utf8Of(target.filename()));
        sink.repaintStatus();
        return result;
    }
    sink.setStatusText("Информация сохранена в файле: " + base::utf8Of(target.filename()));
    sink.setStatusColour(StatusColour::ButtonFace);
    sink.repaintStatus();
    unsavedReading = 0;
    return result;
}

std::filesystem::path keepUnsavedReading(const std::filesystem::path& target,
                                         std::span<const std::uint8_t> image,
                                         const recorder::ServiceTexts& texts, const std::tm& now) {
    namespace fs = std::filesystem;
    const std::vector<std::uint8_t> bytes = recorder::composeDataFile(image, texts);
    const std::string name = proposedFileName(image, now);
    std::error_code ec;
    const fs::path beside = fileio::resolveSaveTarget(target).parent_path();
    for (const fs::path& folder :
         {beside.empty() ? fs::path(".") : beside, fs::temp_directory_path(ec)}) {
        if (folder.empty()) continue;
        for (int n = 1; n < 100; ++n) {
            const std::string suffix = n == 1 ? "" : " (" + std::to_string(n) + ")";
            const fs::path file =
                folder / base::pathFromUtf8(name + suffix + "." + kDataFileExtension);
            if (fs::exists(fs::symlink_status(file, ec))) continue;
            if (fileio::writeFileSafely(file, bytes).ok) return file;
            break;  // this folder takes nothing: the next one
        }
    }
    return {};
}

}  // namespace acquisition
