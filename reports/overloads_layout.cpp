// The overload table: A4 portrait, the title and the five column headings in
// the page header, one line per record, "Страница" and the number in the footer.

#include "reports/report_layouts.h"
#include "reports/report_text.h"

namespace reports {
namespace {

const FontStyle kTitleFont{16, true, false};
const FontStyle kHeadingFont{11, true, false};
const FontStyle kLineFont{11, false, false};
constexpr double kPadding = 6;

}  // namespace

const std::array<std::pair<double, double>, 5>& overloadColumns() {
    static const std::array<std::pair<double, double>, 5> columns = [] {
        const double widths[] = {60, 90, 100, 140, 90};
        const double total = 480;
        // Centred on the printable width of A4 portrait with 10 mm margins.
        double x = (mmToUnits(190) - total) / 2;
        std::array<std::pair<double, double>, 5> c;
        for (int i = 0; i < 5; ++i) {
            c[static_cast<std::size_t>(i)] = {x, x + widths[i]};
            x += widths[i];
        }
        return c;
    }();
    return columns;
}

ReportLayout overloadLayout(const OverloadContent& c) {
    ReportLayout l;
    l.orientation = QPageLayout::Portrait;
    l.marginsMm = QMarginsF(10, 10, 10, 10);
    const double w = l.printableWidth();
    const auto& columns = overloadColumns();
    const double left = columns.front().first, right = columns.back().second;

    Band header;
    header.text(0, 0, w, qs(c.title), kTitleFont, Qt::AlignHCenter, true);
    const double top = header.height + 10;
    const double hl = lineHeight(kHeadingFont);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const auto [x0, x1] = columns[i];
        const QStringList lines = qs(c.headings[i]).split(QLatin1Char('/'));
        // One-line headings stand in the middle of the two-line cell.
        double y = top + 4 + (lines.size() == 1 ? hl / 2 : 0);
        for (const QString& line : lines) {
            header.text(x0, y, x1 - x0, line, kHeadingFont, Qt::AlignHCenter);
            y += hl;
        }
    }
    const double bottom = top + 2 * hl + 8;
    header.box(QRectF(left, top, right - left, bottom - top), false);
    for (std::size_t i = 1; i < columns.size(); ++i)
        header.line(QLineF(columns[i].first, top, columns[i].first, bottom));
    header.height = bottom + 3;
    l.header.push_back(std::move(header));

    const double lh = lineHeight(kLineFont) + 2;
    const Qt::Alignment align[] = {Qt::AlignRight, Qt::AlignLeft, Qt::AlignRight, Qt::AlignRight,
                                   Qt::AlignRight};
    l.body.reserve(c.rows.size());
    for (const auto& row : c.rows) {
        Band b;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const auto [x0, x1] = columns[i];
            b.text(x0 + kPadding, 1, x1 - x0 - 2 * kPadding, qs(row[i]), kLineFont, align[i]);
        }
        b.height = lh;
        l.body.push_back(std::move(b));
    }

    Band footer;
    footer.line(QLineF(0, 3, w, 3));
    TextItem& page =
        footer.text(w - 150, 6, 150, QStringLiteral("Страница "), kLineFont, Qt::AlignRight);
    page.pageNumber = true;
    l.footer.push_back(std::move(footer));
    return l;
}

}  // namespace reports
