#include "acquisition/save_reading.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

#if defined(__unix__) || defined(__APPLE__)
#include <unistd.h>
#endif

#include "recorder/codepage.h"

namespace acquisition {

namespace {

std::string twoDigits(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value % 100);
    return text;
}

// Russian explanation of the usual reasons a file cannot be written.
std::string reasonText(int error) {
    switch (error) {
        case EACCES:
        case EPERM:
            return "нет прав на запись";
        case ENOENT:
        case ENOTDIR:
            return "папка не существует";
        case ENOSPC:
            return "нет места на диске";
        case EROFS:
            return "носитель только для чтения";
        case EISDIR:
            return "это папка";
        default:
            return std::strerror(error);
    }
}

SaveResult failure(const std::filesystem::path& target, int error) {
    return {false, "Не удалось записать файл \"" + target.filename().string() +
                       "\": " + reasonText(error) + "."};
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

SaveResult writeFileSafely(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                           const std::function<void(std::size_t)>& progress) {
    static std::atomic<unsigned> counter{0};
    std::error_code ec;
    if (std::filesystem::is_directory(target, ec)) return failure(target, EISDIR);

    const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
    std::filesystem::path temporary;
    std::FILE* out = nullptr;
    for (int attempt = 0; attempt < 100 && !out; ++attempt) {
        temporary = folder / ("." + target.filename().string() + ".tmp" +
                              std::to_string(counter.fetch_add(1)));
        out = std::fopen(temporary.string().c_str(), "wbx");
        if (!out && errno != EEXIST) return failure(target, errno);
    }
    if (!out) return failure(target, EEXIST);

    // Written in pieces so the gauge can follow the progress.
    constexpr std::size_t kPiece = 2700;
    int error = 0;
    for (std::size_t done = 0; done < bytes.size() && error == 0;) {
        const std::size_t n = std::min(kPiece, bytes.size() - done);
        if (std::fwrite(bytes.data() + done, 1, n, out) != n) {
            error = errno ? errno : EIO;
            break;
        }
        done += n;
        if (progress) progress(done);
    }
    if (error == 0 && std::fflush(out) != 0) error = errno;
#if defined(__unix__) || defined(__APPLE__)
    if (error == 0 && ::fsync(fileno(out)) != 0) error = errno;
#endif
    if (std::fclose(out) != 0 && error == 0) error = errno;
    if (error == 0) {
        std::filesystem::rename(temporary, target, ec);
        if (ec) error = ec.value();
    }
    if (error != 0) {
        std::filesystem::remove(temporary, ec);
        return failure(target, error);
    }
    return {true, {}};
}

SaveResult saveReading(const std::filesystem::path& target, std::span<const std::uint8_t> image,
                       const recorder::ServiceTexts& texts, StatusSink& sink, int& unsavedReading) {
    const std::vector<std::uint8_t> bytes = recorder::composeDataFile(image, texts);
    int gauge = -1;
    const SaveResult result = writeFileSafely(target, bytes, [&](std::size_t written) {
        const int value = static_cast<int>(std::min(written, recorder::kImageSize) / 2700);
        if (value != gauge) sink.setGauge(gauge = value);
    });
    sink.setGauge(0);
    if (!result.ok) {
        sink.setStatusText("Файл не сохранен: " + target.filename().string());
        sink.repaintStatus();
        return result;
    }
    sink.setStatusText("Информация сохранена в фале: " + target.filename().string());
    sink.setStatusColour(StatusColour::ButtonFace);
    sink.repaintStatus();
    unsavedReading = 0;
    return result;
}

}  // namespace acquisition
