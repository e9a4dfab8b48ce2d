#include "reports/report_files.h"

#include "reports/report_content.h"
#include "reports/report_layouts.h"

namespace reports {

std::optional<ReportKind> reportKind(const std::string& name) {
    if (name == "card") return ReportKind::Card;
    if (name == "appendix") return ReportKind::Appendix;
    if (name == "frames") return ReportKind::Frames;
    if (name == "overloads") return ReportKind::Overloads;
    return std::nullopt;
}

std::vector<ReportLayout> reportLayouts(ReportKind kind, const recorder::Reading& reading,
                                        const recorder::NumberFormat& format,
                                        const FrameSpan& frames) {
    std::vector<ReportLayout> layouts;
    switch (kind) {
        case ReportKind::Card:
            layouts.push_back(cardLayout(cardContent(reading)).layout);
            break;
        case ReportKind::Appendix:
            for (ReportLayout& page : appendixLayouts(appendixContent(reading)))
                layouts.push_back(std::move(page));
            break;
        case ReportKind::Frames:
            layouts.push_back(
                operationalLayout(operationalContent(reading, frames.first, frames.last, format)));
            break;
        case ReportKind::Overloads:
            layouts.push_back(overloadLayout(overloadContent(reading, format)));
            break;
    }
    return layouts;
}

bool writeReportPdf(ReportKind kind, const recorder::Reading& reading,
                    const recorder::NumberFormat& format, const FrameSpan& frames,
                    const QString& path, QString& error) {
    const std::vector<ReportLayout> layouts = reportLayouts(kind, reading, format, frames);
    std::vector<const ReportLayout*> pages;
    for (const ReportLayout& l : layouts) pages.push_back(&l);
    return writePdf(pages, path, error);
}

}  // namespace reports
