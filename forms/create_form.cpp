#include "forms/create_form.h"
#include "base/utf8_path.h"

#include <cstring>
#include <system_error>

#include "fileio/bounded_read.h"
#include "rtf/report_data_file.h"
#include "rtf/report_engine.h"

namespace forms {

namespace fs = std::filesystem;

namespace {

std::string twoDigits(int value) {
    return std::string{static_cast<char>('0' + value / 10 % 10),
                       static_cast<char>('0' + value % 10)};
}

std::string formName(int form) {
    return "Форма " + std::to_string(form);
}

// The template folder is there and a folder, or the form cannot be made; the
// message names what is wrong with it.
void checkTemplateFolder(const fs::path& folder) {
    if (folder.empty()) return;
    std::error_code ec;
    const fs::file_status status = fs::status(folder, ec);
    if (fs::is_directory(status)) return;
    const std::string name = "«" + base::utf8Of(folder) + "»";
    constexpr const char* kNothingMade = ": файл данных формы не записан, форма не составлена.";
    if (fs::exists(status))
        throw FormError("Папка шаблонов " + name + " — не папка" + kNothingMade);
    if (ec && status.type() != fs::file_type::not_found)
        throw FormError("Нет доступа к папке шаблонов " + name + " (" + fileio::reasonText(ec) +
                        ")" + kNothingMade);
    throw FormError("Нет папки шаблонов " + name + kNothingMade);
}

// Writes the data file, makes sure the report's folder exists, runs the engine.
FormResult merge(int form, const RepoRTF_interface::ReportDataFile& data, const FormFiles& files) {
    FormResult result;
    result.dataFile = dataFilePath(form, files.templateFile);
    result.report = files.reportFile;
    checkTemplateFolder(result.dataFile.parent_path());
    try {
        data.Save(result.dataFile);
    } catch (const RepoRTF_interface::DataFileWriteError& e) {
        throw FormError("Не удалось записать файл данных формы «" + base::utf8Of(result.dataFile) +
                        "»: " + e.reason() + ".");
    }
    if (files.reportFile.has_parent_path()) {
        std::error_code ec;
        fs::create_directories(files.reportFile.parent_path(), ec);
        if (ec)
            throw FormError("Не удалось создать папку отчёта «" +
                            base::utf8Of(files.reportFile.parent_path()) +
                            "»: " + fileio::reasonText(ec) + ".");
    }
    try {
        RepoRTF_interface::CreateReport(result.dataFile, files.templateFile, files.reportFile);
    } catch (const RepoRTF_interface::RepoRTF_Error& e) {
        throw FormError(e.fullMessage());
    }
    return result;
}

}  // namespace

fs::path dataFilePath(int form, const fs::path& templateFile) {
    return templateFile.parent_path() / base::pathFromUtf8(formName(form) + ".txt");
}

std::string reportFileName(int form, const recorder::Reading& reading, const std::tm& now) {
    std::string crane = reading.texts.get(recorder::display::kCraneModel) + " №" +
                        reading.texts.get(recorder::display::kCraneNumber) + " " +
                        twoDigits(now.tm_mday) + "." + twoDigits(now.tm_mon + 1) + "." +
                        twoDigits(now.tm_year) + " " + twoDigits(now.tm_hour) + "-" +
                        twoDigits(now.tm_min);
    for (char& c : crane) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || std::strchr("/\\:*?\"<>|", c) != nullptr) c = '_';
    }
    return formName(form) + " (" + crane + ").rtf";
}

FormFiles startDirectoryFiles(int form, const fs::path& startDirectory,
                              const recorder::Reading& reading, const std::tm& now) {
    return {startDirectory / base::pathFromUtf8(kTemplateFolder) /
                base::pathFromUtf8(formName(form) + ".rtf"),
            startDirectory / base::pathFromUtf8(kReportFolder) /
                base::pathFromUtf8(reportFileName(form, reading, now))};
}

FormResult createForm3(const recorder::Reading& reading, const FormFiles& files) {
    return merge(3, form3DataFile(reading), files);
}

FormResult createForm2(recorder::Reading& reading, const PreviousReading& previous,
                       const FormFiles& files, const recorder::NumberFormat& format) {
    if (reading.texts.get(recorder::display::kLimiterSerialNumber).empty())
        throw FormError(kNoLimiterSerial);
    const CounterDifferences differences = counterDifferences(reading.counters, previous);
    showDifferences(reading, differences, format);
    return merge(2, form2DataFile(reading, previous, differences, format), files);
}

FormResult createForm1(recorder::Reading& reading, const PreviousReading& previous,
                       const FormFiles& files, const recorder::NumberFormat& format) {
    if (reading.texts.get(recorder::display::kLimiterSerialNumber).empty())
        throw FormError(kNoLimiterSerial);
    const CounterDifferences differences = counterDifferences(reading.counters, previous);
    showDifferences(reading, differences, format);
    const TestPeriod period = findTestPeriod(reading, previous);
    FormResult result =
        merge(1, form1DataFile(reading, previous, differences, period, format), files);
    result.period = period;
    return result;
}

}  // namespace forms
