#include "rtf/report_engine.h"
#include "rtf/detail/free_storage.h"

#include <cstdio>
#include <string>

#include "rtf/detail/data_pass.h"
#include "rtf/detail/template_pass.h"
#include "rtf/detail/template_text.h"
#include "rtf/detail/text_files.h"
#include "rtf/report_messages.h"

namespace RepoRTF_interface {

namespace {

FontRegistration& fontRegistrationSlot() {
    static FontRegistration registration;
    return registration;
}

Clock& clockSlot() {
    static Clock clock;
    return clock;
}

std::tm localNow() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return local;
}

std::string twoDigits(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

}  // namespace

void SetFontRegistration(FontRegistration registration) {
    fontRegistrationSlot() = std::move(registration);
}

void SetClock(Clock clock) {
    clockSlot() = std::move(clock);
}

void CreateReport(const std::filesystem::path& dataFile, const std::filesystem::path& templateFile,
                  const std::filesystem::path& reportFile, const ProgressCallback& progress) {
    using namespace detail;
    if (sameFile(templateFile, reportFile)) throw RepoRTF_Error(messages::kSameFile);
    if (sameFile(dataFile, reportFile)) throw RepoRTF_Error(messages::kSameDataFile);

    std::string templateText;
    if (!readTextFile(templateFile, templateText))
        throw RepoRTF_Error(messages::kTemplateNotOpened);

    // The report is written beside its place and put there only when complete:
    // every failure below leaves an earlier report as it was.
    ReportWriter report;
    if (!report.open(reportFile)) throw RepoRTF_Error(messages::kReportNotOpened);

    std::string data;
    if (!readTextFile(dataFile, data)) throw RepoRTF_Error(messages::kDataNotOpened);

    const bool rtf = templateText.starts_with("{\\rtf");
    std::tm now = clockSlot() ? clockSlot()() : localNow();
    TemplatePassContext context;
    context.rtf = rtf;
    context.registerFont = &fontRegistrationSlot();
    context.date = twoDigits(now.tm_mday) + "." + twoDigits(now.tm_mon + 1) + "." +
                   std::to_string(now.tm_year + 1900);
    context.time = twoDigits(now.tm_hour) + ":" + twoDigits(now.tm_min);

    // The template goes as soon as its converted form is made; the data pass
    // reads the data in place and writes the report as it goes.
    rewriteCharsetInPlace(templateText);
    std::string convertedText = runTemplatePass(templateText, context);
    freeStorage(templateText);
    const TemplateText converted(std::move(convertedText));
    runDataPass(converted, rtf, data, progress, report);
    if (!report.close()) throw RepoRTF_Error(messages::kWriteError);
}

}  // namespace RepoRTF_interface
