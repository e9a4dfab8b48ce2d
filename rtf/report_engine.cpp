#include "report_engine.h"

#include <cstdio>
#include <string>

#include "data_pass.h"
#include "report_messages.h"
#include "template_pass.h"
#include "template_text.h"
#include "text_files.h"

namespace RepoRTF_interface {

namespace {

FontRegistration& FontRegistrationSlot() {
    static FontRegistration registration;
    return registration;
}

Clock& ClockSlot() {
    static Clock clock;
    return clock;
}

std::tm LocalNow() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &now);
#else
    localtime_r(&now, &local);
#endif
    return local;
}

std::string TwoDigits(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

}  // namespace

void SetFontRegistration(FontRegistration registration) {
    FontRegistrationSlot() = std::move(registration);
}

void SetClock(Clock clock) {
    ClockSlot() = std::move(clock);
}

void CreateReport(const std::filesystem::path& dataFile, const std::filesystem::path& templateFile,
                  const std::filesystem::path& reportFile, const ProgressCallback& progress) {
    using namespace detail;
    if (SameFile(templateFile, reportFile)) throw RepoRTF_Error(messages::kSameFile);
    if (SameFile(dataFile, reportFile)) throw RepoRTF_Error(messages::kSameDataFile);

    std::string templateText;
    if (!ReadTextFile(templateFile, templateText))
        throw RepoRTF_Error(messages::kTemplateNotOpened);

    // The report is written beside its place and put there only when complete:
    // every failure below leaves an earlier report as it was.
    ReportWriter report;
    if (!report.Open(reportFile)) throw RepoRTF_Error(messages::kReportNotOpened);

    std::string data;
    if (!ReadTextFile(dataFile, data)) throw RepoRTF_Error(messages::kDataNotOpened);

    const bool rtf = templateText.starts_with("{\\rtf");
    std::tm now = ClockSlot() ? ClockSlot()() : LocalNow();
    TemplatePassContext context;
    context.rtf = rtf;
    context.registerFont = &FontRegistrationSlot();
    context.date = TwoDigits(now.tm_mday) + "." + TwoDigits(now.tm_mon + 1) + "." +
                   std::to_string(now.tm_year + 1900);
    context.time = TwoDigits(now.tm_hour) + ":" + TwoDigits(now.tm_min);

    // Each stage's input is freed as soon as the next one holds its result, so the
    // peak memory stays a small multiple of the input.
    RewriteCharsetInPlace(templateText);
    std::string convertedText = RunTemplatePass(templateText, context);
    templateText = std::string();
    TemplateText converted(std::move(convertedText));
    RunDataPass(converted, rtf, std::move(data), progress, report);
    if (!report.Close()) throw RepoRTF_Error(messages::kWriteError);
}

}  // namespace RepoRTF_interface
