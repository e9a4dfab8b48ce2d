#include "reports/report_files.h"

#include "reports/pdf_document_info.h"
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

std::string reportTitle(ReportKind kind, const recorder::Reading& reading) {
    const std::string crane = cardContent(reading).subtitles[1];  // "на кран … №…"
    switch (kind) {
        case ReportKind::Card:
            return "Информационная карта " + crane;
        case ReportKind::Appendix:
            return "Оперативная информация " + crane + " (приложения 1 и 2 к информационной карте)";
        case ReportKind::Frames:
            return operationalTitle(reading);
        case ReportKind::Overloads:
            return overloadTitle(reading);
    }
    return {};
}

std::string reportFileLabel(ReportKind kind) {
    switch (kind) {
        case ReportKind::Card:
            return "информационная карта";
        case ReportKind::Appendix:
            return "приложения к карте";
        case ReportKind::Frames:
            return "оперативная информация";
        case ReportKind::Overloads:
            return "таблица перегрузок";
    }
    return {};
}

bool writeReportPdf(ReportKind kind, const recorder::Reading& reading,
                    const recorder::NumberFormat& format, const FrameSpan& frames,
                    const QString& path, QString& error) {
    const std::vector<ReportLayout> layouts = reportLayouts(kind, reading, format, frames);
    std::vector<const ReportLayout*> pages;
    for (const ReportLayout& l : layouts) pages.push_back(&l);
    const PdfInfo info{QString::fromStdString(reportTitle(kind, reading)),
                       QString::fromStdString(reading.texts.get("Edit_Name")),
                       QStringLiteral("ТИРС-48")};
    return writePdf(pages, path, info, error);
}

}  // namespace reports
