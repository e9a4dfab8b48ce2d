#pragma once
// The four printed reports laid out on the banded page writer: the
// information card, its two appendix pages of graphs, the operational
// information and the overload table. Each takes the texts computed by
// report_content and returns the pages' bands, so the print preview, a printer
// and a PDF all print the same thing.

#include <array>
#include <vector>

#include "reports/page_writer.h"
#include "reports/report_content.h"

namespace reports {

// Where the two bars of a load band stand, relative to the band's row.
struct BandBars {
    QRectF workFrame, workBar;  // upper: work cycles
    QRectF loadFrame, loadBar;  // lower: load cycles
};

struct CardLayout {
    ReportLayout layout;
    std::array<BandBars, 15> bars;
};

CardLayout cardLayout(const CardContent& content);

// Page 1 (load percentage and load mass) and page 2 (boom length and radius).
std::array<ReportLayout, 2> appendixLayouts(std::array<AppendixPage, 2> content);

// The tab stops of the operational information, in units from the left margin:
// one per column, the five bit-string columns two each (a second stop just past
// the first), so the units line's seventeen tabs put "%" under "M".
const std::vector<double>& frameTabStops();

ReportLayout operationalLayout(const OperationalContent& content);

// The left and right edges of the overload table's five columns.
const std::array<std::pair<double, double>, 5>& overloadColumns();

ReportLayout overloadLayout(const OverloadContent& content);

}  // namespace reports
