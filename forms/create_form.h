// The test-processing forms 1, 2 and 3: each writes its report data file beside
// the template and merges the template into the report with the RTF engine. The
// window and `litm form` call these functions, so both write the same bytes.
//
// forms/ computes everything without Qt; it depends on recorder/ and rtf/ only.
#pragma once

#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

#include "forms/data_lines.h"
#include "forms/differences.h"
#include "forms/previous_check.h"
#include "forms/previous_reading.h"
#include "forms/test_period.h"
#include "recorder/number_format.h"
#include "recorder/reading.h"

namespace forms {

// The folders under the start directory.
inline constexpr const char* kTemplateFolder = "Шаблоны форм";
inline constexpr const char* kReportFolder = "Формы";

struct FormFiles {
    std::filesystem::path templateFile;
    std::filesystem::path reportFile;
};

// "Форма N.txt" in the template's folder.
std::filesystem::path dataFilePath(int form, const std::filesystem::path& templateFile);

// "Форма N (model №number dd.mm.yy hh-mm).rtf" from the crane's shown texts.
// Characters that cannot stand in a file name ("/", "\", ":" …) become "_", so
// the name never points into another folder.
std::string reportFileName(int form, const recorder::Reading& reading, const std::tm& now);

// The window's files: "Шаблоны форм/Форма N.rtf" and "Формы/<report name>".
FormFiles startDirectoryFiles(int form, const std::filesystem::path& startDirectory,
                              const recorder::Reading& reading, const std::tm& now);

struct FormResult {
    std::filesystem::path dataFile;
    std::filesystem::path report;
    std::optional<TestPeriod> period;  // form 1
};

// Each throws FormError with the message to show: an empty limiter serial number
// (nothing written, nothing changed), a data file that cannot be written, or the
// engine's own message (the data file stays written). A missing report folder is
// created first.
FormResult createForm3(const recorder::Reading& reading, const FormFiles& files);

// Forms 2 and 1 first show the differences to the previous reading in the
// reading's texts (recomputed from the loaded counters on every run).
FormResult createForm2(recorder::Reading& reading, const PreviousReading& previous,
                       const FormFiles& files, const recorder::NumberFormat& format);
FormResult createForm1(recorder::Reading& reading, const PreviousReading& previous,
                       const FormFiles& files, const recorder::NumberFormat& format);

}  // namespace forms
