// The information card: one A4 portrait page of identification, the load-band
// table with its bars, the assessment by ISO 4301/1 and the signature block.

#include "reports/report_layouts.h"
#include "reports/report_text.h"

namespace reports {
namespace {

const FontStyle kTitleFont{22, true, true};
const FontStyle kSubtitleFont{14, true, true};
const FontStyle kSectionFont{12, true, false};
const FontStyle kCaptionFont{11, false, false};
const FontStyle kValueFont{11, true, false};

constexpr double kRowHeight = 20;
// Column edges of the load-band table.
constexpr double kCol1 = 150, kCol2 = 451, kCol3 = 585;
constexpr double kBarLeft = kCol1 + 10;

Band headingBand(const CardContent& c, double width) {
    Band b;
    b.text(0, 0, width, qs(c.title), kTitleFont, Qt::AlignHCenter);
    b.text(0, b.height + 4, width, qs(c.subtitles[0]), kSubtitleFont, Qt::AlignHCenter, true);
    b.text(0, b.height, width, qs(c.subtitles[1]), kSubtitleFont, Qt::AlignHCenter, true);
    b.height += 8;
    return b;
}

Band sectionBand(const std::string& heading, double width) {
    Band b;
    b.text(0, 4, width, qs(heading), kSectionFont);
    b.height += 2;
    return b;
}

Band pairsBand(const std::vector<CaptionValue>& pairs, double width) {
    Band b;
    flowPairs(b, 0, 0, width, pairs, kCaptionFont, kValueFont);
    b.height += 2;
    return b;
}

// Sections 2 and 3 side by side, one caption/value pair per line each.
Band columnsBand(const CardContent& c, double width) {
    Band b;
    const double gap = 14;
    const double half = (width - gap) / 2;
    double y = 0;
    b.text(0, 4, half, qs(c.section2), kSectionFont);
    b.text(half + gap, 4, half, qs(c.section3), kSectionFont);
    y = b.height + 2;
    double left = y, right = y;
    for (const CaptionValue& p : c.limiter)
        left = flowPairs(b, 0, left, half, {p}, kCaptionFont, kValueFont);
    for (const CaptionValue& p : c.crane)
        right = flowPairs(b, half + gap, right, half, {p}, kCaptionFont, kValueFont);
    b.height += 2;
    return b;
}

Band tableHeadBand(const CardContent& c, double width) {
    Band b;
    b.text(0, 0, width, qs(c.tableTitle), kSectionFont, Qt::AlignHCenter);
    const double top = b.height + 4;
    const double lh = lineHeight(kValueFont);
    const double edges[] = {0, kCol1, kCol2, kCol3, width};
    for (int i = 0; i < 4; ++i)
        b.text(edges[i], top + 3, edges[i + 1] - edges[i], qs(c.tableHeadings[i]), kValueFont,
               Qt::AlignHCenter);
    const double bottom = top + lh + 6;
    b.box(QRectF(0, top, width, bottom - top), false);
    for (int i = 1; i < 4; ++i) b.line(QLineF(edges[i], top, edges[i], bottom));
    b.height = bottom;
    return b;
}

Band bandRowBand(const BandRow& row, double width, BandBars& bars) {
    Band b;
    const double lh = lineHeight(kValueFont);
    const double textTop = (kRowHeight - lh) / 2;
    b.text(0, textTop, kCol1 - 8, qs(row.caption), kCaptionFont, Qt::AlignRight);
    bars.workFrame = QRectF(kBarLeft, 3, kBarFrameWidth, kBarFrameHeight);
    bars.loadFrame = QRectF(kBarLeft, 3 + kBarFrameHeight + 2, kBarFrameWidth, kBarFrameHeight);
    bars.workBar = QRectF(kBarLeft, bars.workFrame.top(), row.workBar, kBarFrameHeight);
    bars.loadBar = QRectF(kBarLeft, bars.loadFrame.top(), row.loadBar, kBarFrameHeight);
    for (const QRectF& bar : {bars.workBar, bars.loadBar})
        if (bar.width() > 0) b.box(bar, true);
    b.box(bars.workFrame, false);
    b.box(bars.loadFrame, false);
    b.text(kCol2, textTop, kCol3 - kCol2 - 10, qs(row.workCycles), kValueFont, Qt::AlignRight);
    b.text(kCol3, textTop, width - kCol3 - 10, qs(row.loadCycles), kValueFont, Qt::AlignRight);
    // The row's cell borders: its sides, the column lines and the line under it.
    for (double x : {0.0, kCol1, kCol2, kCol3, width}) b.line(QLineF(x, 0, x, kRowHeight));
    b.line(QLineF(0, kRowHeight, width, kRowHeight));
    b.height = kRowHeight;
    return b;
}

Band assessmentBand(const CardContent& c, double width) {
    Band b;
    b.text(0, 8, width, qs(c.assessmentTitle), kSectionFont, Qt::AlignHCenter);
    double y = b.height + 4;
    for (const CaptionValue& p : c.assessment) {
        b.text(0, y, width * 0.78, qs(p.caption), kCaptionFont);
        b.text(width * 0.78, y, width * 0.22, qs(p.value), kValueFont, Qt::AlignRight);
        y += lineHeight(kCaptionFont) + 3;
    }
    b.height = y;
    return b;
}

}  // namespace

CardLayout cardLayout(const CardContent& c) {
    CardLayout card;
    ReportLayout& l = card.layout;
    l.orientation = QPageLayout::Portrait;
    l.marginsMm = QMarginsF(10, 10, 10, 10);
    const double w = l.printableWidth();

    l.body.push_back(headingBand(c, w));
    l.body.push_back(sectionBand(c.section1, w));
    l.body.push_back(pairsBand(c.operatorLine, w));
    l.body.push_back(pairsBand(c.organisationLine, w));
    l.body.push_back(columnsBand(c, w));
    l.body.push_back(sectionBand(c.section4, w));
    for (const CaptionValue& p : c.installation) l.body.push_back(pairsBand({p}, w));
    l.body.push_back(sectionBand(c.section5, w));
    l.body.push_back(tableHeadBand(c, w));
    for (std::size_t i = 0; i < c.bands.size() && i < card.bars.size(); ++i)
        l.body.push_back(bandRowBand(c.bands[i], w, card.bars[i]));
    l.body.push_back(assessmentBand(c, w));
    l.body.push_back(signatureBand(c.confirm, c.signatureLine, c.signatureName, c.dateLine, w));
    return card;
}

}  // namespace reports
