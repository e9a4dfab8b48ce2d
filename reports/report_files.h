#pragma once
// A printed report of a reading, by kind, as its layouts: what the print
// window previews and what `litm report` writes as PDF.

#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "recorder/number_format.h"
#include "recorder/reading.h"
#include "reports/page_writer.h"

namespace reports {

enum class ReportKind { Card, Appendix, Frames, Overloads };

// "card", "appendix", "frames", "overloads".
std::optional<ReportKind> reportKind(const std::string& name);

struct FrameSpan {
    std::int64_t first = 0;
    std::int64_t last = 40;
};

// The layouts of one report: the card one, the appendix two, the others one.
std::vector<ReportLayout> reportLayouts(ReportKind kind, const recorder::Reading& reading,
                                        const recorder::NumberFormat& format,
                                        const FrameSpan& frames);

// The report's heading and the crane, the title its PDF carries
// ("Информационная карта на кран КС-55713-1 №1187").
std::string reportTitle(ReportKind kind, const recorder::Reading& reading);

// The report's name within a file name: "информационная карта", "приложения к
// карте", "оперативная информация", "таблица перегрузок".
std::string reportFileLabel(ReportKind kind);

// The PDF is titled by reportTitle, its author the operator who read the recorder.
bool writeReportPdf(ReportKind kind, const recorder::Reading& reading,
                    const recorder::NumberFormat& format, const FrameSpan& frames,
                    const QString& path, QString& error);

}  // namespace reports
