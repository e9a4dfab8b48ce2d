// The two appendix pages of the information card: each a heading, two charts
// over all loaded frames, and the signature block at the foot.

#include "reports/report_layouts.h"
#include "reports/report_text.h"

namespace reports {
namespace {

ReportLayout appendixPage(AppendixPage& page) {
    ReportLayout l;
    l.orientation = QPageLayout::Portrait;
    l.marginsMm = QMarginsF(10, 10, 10, 10);
    const QRectF area = l.printableRect();
    const double w = area.width();
    const double h = area.height();

    // The whole page is one band: charts are placed by the page's height.
    Band b;
    b.text(0, 0, w, qs(page.label), FontStyle{11, false, false}, Qt::AlignRight);
    b.text(0, b.height + 2, w, qs(page.title), FontStyle{20, true, true}, Qt::AlignHCenter);
    const FontStyle subtitle{14, true, true};
    b.text(0, b.height + 2, w, qs(page.subtitles[0]), subtitle, Qt::AlignHCenter, true);
    b.text(0, b.height, w, qs(page.subtitles[1]), subtitle, Qt::AlignHCenter, true);

    const double chartHeight = h * 0.37;
    const double upperTop = b.height + 10;
    const double lowerTop = std::max(h * 0.49, upperTop + chartHeight + 8);
    for (int i = 0; i < 2; ++i) {
        auto chart =
            std::make_shared<ChartContent>(std::move(page.charts[static_cast<std::size_t>(i)]));
        b.items.push_back(
            ChartItem{QRectF(0, i == 0 ? upperTop : lowerTop, w, chartHeight), chart});
    }
    const double signatureTop = lowerTop + chartHeight + 18;
    addSignature(b, signatureTop, page.confirm, page.signatureLine, page.signatureName,
                 page.dateLine, w);
    l.body.push_back(std::move(b));
    return l;
}

}  // namespace

std::array<ReportLayout, 2> appendixLayouts(std::array<AppendixPage, 2> content) {
    return {appendixPage(content[0]), appendixPage(content[1])};
}

}  // namespace reports
