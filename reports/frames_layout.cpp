// The operational information: A4 landscape, the column names and units in
// the page header, one line per frame in the body, the title and the page
// number in the footer.

#include "reports/report_layouts.h"
#include "reports/report_text.h"

namespace reports {
namespace {

const FontStyle kLineFont{11, false, false};
const FontStyle kTitleFont{13, true, true};

}  // namespace

const std::vector<double>& frameTabStops() {
    static const std::vector<double> stops = [] {
        // Column widths: al L R P Q ga t, five bit strings, M, Err, Дата, время.
        const double numeric = 52, bits = 92, m = 44, err = 36, date = 60;
        std::vector<double> s;
        double x = 0;
        for (int i = 0; i < 7; ++i, x += numeric) s.push_back(x);
        for (int i = 0; i < 5; ++i, x += bits) {
            s.push_back(x);
            s.push_back(x + 6);  // passed over by every text of the column
        }
        for (double width : {m, err, date, date}) {
            s.push_back(x);
            x += width;
        }
        return s;
    }();
    return stops;
}

ReportLayout operationalLayout(const OperationalContent& c) {
    ReportLayout l;
    l.orientation = QPageLayout::Landscape;
    l.marginsMm = QMarginsF(10, 10, 16, 10);
    const double w = l.printableWidth();
    static const auto stops = std::make_shared<const std::vector<double>>(frameTabStops());
    const double lh = lineHeight(kLineFont);

    Band header;
    header.tabbed(0, qs(c.header), stops, kLineFont);
    header.tabbed(lh, qs(c.units), stops, kLineFont);
    header.line(QLineF(0, 2 * lh + 2, w, 2 * lh + 2));
    header.height = 2 * lh + 5;
    l.header.push_back(std::move(header));

    l.body.reserve(c.lines.size());
    for (const std::string& line : c.lines) {
        Band b;
        b.tabbed(0, qs(line), stops, kLineFont);
        l.body.push_back(std::move(b));
    }

    Band footer;
    footer.line(QLineF(0, 3, w, 3));
    const double textWidthAvail = w - 110;
    footer.text(0, 6, textWidthAvail, qs(c.title), kTitleFont, Qt::AlignLeft, true);
    TextItem& page =
        footer.text(w - 110, 6, 110, QStringLiteral("Страница "), kTitleFont, Qt::AlignRight);
    page.font.bold = false;
    page.font.italic = false;
    page.pageNumber = true;
    l.footer.push_back(std::move(footer));
    return l;
}

}  // namespace reports
