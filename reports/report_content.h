#pragma once
// What the four printed reports say, computed from the Reading without Qt: the
// information card, its two appendix pages of graphs, the operational
// information (one line per frame) and the overload table. Every value is the
// text the main window shows or the record as the tables hold it; the Qt half
// (page_writer and the *_layout files) only places these texts on paper.

#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "recorder/chart_data.h"
#include "recorder/number_format.h"
#include "recorder/reading.h"

namespace reports {

// A caption and its value as printed side by side ("Дата считывания:" "12.10.24").
struct CaptionValue {
    std::string caption;
    std::string value;
};

// Bars of the load-band table are drawn in frames this many units wide.
inline constexpr int kBarFrameWidth = 281;
inline constexpr int kBarFrameHeight = 7;

// The width of a bar for a gauge value 0..100: value × 281 / 100, truncated.
// A value outside 0..100 (never shown by a gauge) is held to the frame.
int barWidth(int gaugeValue);

// "  0%<   M    <10%" ... "140%<   M            ", band 0 first.
std::string bandCaption(int band);

struct BandRow {
    std::string caption;
    int workBar = 0;  // bar widths in units, 0..281
    int loadBar = 0;
    std::string workCycles;  // Edit_ON_..
    std::string loadCycles;  // Edit_N_..
};

struct CardContent {
    std::string title;                     // "Информационная карта"
    std::array<std::string, 2> subtitles;  // "по данным регистратора ..." / "на кран ..."
    std::string section1;
    std::vector<CaptionValue> operatorLine;  // caption/value pairs of the first line
    std::vector<CaptionValue> organisationLine;
    std::string section2;
    std::vector<CaptionValue> limiter;
    std::string section3;
    std::vector<CaptionValue> crane;
    std::string section4;
    std::vector<CaptionValue> installation;
    std::string section5;
    std::string tableTitle;
    std::array<std::string, 4> tableHeadings;
    std::vector<BandRow> bands;  // fifteen, 0-10 % first
    std::string assessmentTitle;
    std::vector<CaptionValue> assessment;
    std::string confirm;        // "Информацию подтверждаю"
    std::string signatureLine;  // underscores and the parentheses
    std::string signatureName;  // Edit_Name, centred inside the parentheses
    std::string dateLine;
};

CardContent cardContent(const recorder::Reading& reading);

// One chart of an appendix page: a caption above it, the vertical axis title,
// and its series drawn as lines in table order.
struct ChartSeries {
    std::vector<recorder::ChartPoint> points;
    std::uint32_t rgb = 0x000000;
    double lineWidth = 1;  // in units; the 100 % reference line is twice as thick
    // A reference line (the 100 % limit): the axis keeps at least one step of
    // room above it, and it is drawn over the plot's frame, so it always shows.
    bool reference = false;
};

// An axis from `low` to `high`, numbered at the multiples of `step` within.
struct AxisScale {
    double low = 0;
    double high = 1;
    double step = 1;
};

// A range with round bounds and steps (1, 2 or 5 × 10^n) holding [low, high],
// with about `ticks` steps. An empty or flat range is widened so it has a height.
AxisScale niceScale(double low, double high, int ticks);

struct ChartContent {
    std::string caption;
    std::string yTitle;
    std::string xTitle;  // "Кадры"
    std::vector<ChartSeries> series;
    AxisScale x;
    AxisScale y;
};

struct AppendixPage {
    std::string label;  // "Приложение 1"
    std::string title;  // "Оперативная информация"
    std::array<std::string, 2> subtitles;
    std::array<ChartContent, 2> charts;  // upper, lower
    std::string confirm;
    std::string signatureLine;
    std::string signatureName;
    std::string dateLine;
};

// Page 1: load percentage with its 100 % line, and load mass; page 2: boom
// length and radius. Every loaded frame, whatever its status.
std::array<AppendixPage, 2> appendixContent(const recorder::Reading& reading);

// The operational information: the header's two lines, the title set into the
// footer, and one line per frame of the range, tab-separated.
inline constexpr const char* kFrameHeaderLine =
    "al\tL\tR\tP\tQ\tga\tt\tВых.реле.\tКоорд.защ.\tДискр.вх.1\tДискр.вх.2\tДискр.вх.3\tM\tErr\tДата"
    "\tвремя";
inline constexpr const char* kFrameUnitsLine =
    "град\tм\tм\tатм\tт\tград\tград\t\t\t\t\t\t\t\t\t\t\t%";

std::string frameLine(const recorder::FrameRecord& frame, const recorder::NumberFormat& format);

// The frame slots a typed range prints: cut to the table (0 .. 7292), so nothing
// outside it is read; `first` > `last` gives none.
struct FrameRange {
    int first = 0;
    int last = -1;  // inclusive
    int count() const { return last >= first ? last - first + 1 : 0; }
};
FrameRange printedFrameRange(std::int64_t first, std::int64_t last);

struct OperationalContent {
    std::string header;
    std::string units;
    std::string title;
    std::vector<std::string> lines;
};

// "Оперативная информация о работе крана … , записанная в РП …".
std::string operationalTitle(const recorder::Reading& reading);

OperationalContent operationalContent(const recorder::Reading& reading, std::int64_t first,
                                      std::int64_t last, const recorder::NumberFormat& format);

// The overload table: title, the five headings ("/" marks their line break),
// and per record the five column texts.
struct OverloadContent {
    std::string title;
    std::array<std::string, 5> headings;
    std::vector<std::array<std::string, 5>> rows;
};

// "Таблица перегрузок крана … , записанная в РП …".
std::string overloadTitle(const recorder::Reading& reading);

OverloadContent overloadContent(const recorder::Reading& reading,
                                const recorder::NumberFormat& format);

}  // namespace reports
