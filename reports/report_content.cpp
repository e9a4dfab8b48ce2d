#include "reports/report_content.h"

#include <algorithm>
#include <cmath>

#include "recorder/counters.h"

namespace reports {
namespace {

using recorder::Reading;
namespace display = recorder::display;

std::string shown(const Reading& r, const recorder::Display& shownIn) {
    return r.texts.get(shownIn);
}

std::string limiterText(const Reading& r) {
    return shown(r, display::kLimiterModel) + " №" + shown(r, display::kLimiterSerialNumber);
}

std::string craneText(const Reading& r) {
    return shown(r, display::kCraneModel) + " №" + shown(r, display::kCraneNumber);
}

std::array<std::string, 2> subtitles(const Reading& r) {
    return {"по данным регистратора параметров " + limiterText(r), "на кран " + craneText(r)};
}

constexpr const char* kConfirm = "Информацию подтверждаю";
constexpr const char* kSignatureLine =
    "______________________________     (                                                      )";
constexpr const char* kDateLine = "\"_____\" ______________________ 200___ г.";

}  // namespace

int barWidth(int gaugeValue) {
    return std::clamp(gaugeValue, 0, 100) * kBarFrameWidth / 100;
}

std::string bandCaption(int band) {
    if (band >= 14) return "140%<   M            ";
    const int low = band * 10;
    const int high = low + 10;
    const std::string from = low == 0 ? "  0" : std::to_string(low);
    return from + (high < 100 ? "%<   M    <" : "%<   M  <") + std::to_string(high) + "%";
}

CardContent cardContent(const Reading& r) {
    CardContent c;
    c.title = "Информационная карта";
    c.subtitles = subtitles(r);
    c.section1 = "1. Информация об операторе и организации, проводившей считывание";
    c.operatorLine = {{"Информацию считал:", shown(r, display::kOperatorName)},
                      {"Удостоверение №", shown(r, display::kCertificateNumber)},
                      {"действительно до", shown(r, display::kCertificateValidUntil)}};
    c.organisationLine = {{"Организация:", shown(r, display::kServiceOrganisation)},
                          {"Дата считывания:", shown(r, display::kReadingDate)}};
    c.section2 = "2. Идентификация ограничителя";
    c.limiter = {{"Ограничитель:", limiterText(r)},
                 {"Конфигурация ограничителя", shown(r, display::kConfiguration)},
                 {"Версия программы/таблиц/РП:", shown(r, display::kProgramVersion) + "/" +
                                                     shown(r, display::kTablesVersion) + "/" +
                                                     shown(r, display::kRecorderVersion)},
                 {"Изготовитель:", shown(r, display::kLimiterMaker)},
                 {"Типы кранов:", shown(r, display::kAdaptedCranes)}};
    c.section3 = "3. Идентификация крана";
    c.crane = {{"Марка крана:", craneText(r)},
               {"Изготовитель:", shown(r, display::kCraneMaker)},
               {"Год изготовления крана:", shown(r, display::kManufactureYear)},
               {"Группа режима нагружения:", shown(r, display::kModeGroup)},
               {"Владелец:", shown(r, display::kOwner)}};
    c.section4 = "4. Установка регистратора";
    c.installation = {{"Дата установки РП:", shown(r, display::kInstallDate)},
                      {"Организация, осуществившая ввод рабочей программы:",
                       shown(r, display::kProgrammingOrganisation)}};
    c.section5 = "5. Накопительная информация о параметрах работы крана";
    c.tableTitle = "Таблица нарабоки крана по степени загрузки";
    c.tableHeadings = {"Диапазон нагрузок", "Диаграмма", "Рабочие циклы", "Циклы нагружения"};
    const auto& names = recorder::bandDisplays();
    for (int band = 0; band < static_cast<int>(names.size()); ++band) {
        const auto& n = names[static_cast<std::size_t>(band)];
        c.bands.push_back({bandCaption(band), barWidth(r.gauges.get(n.workGauge)),
                           barWidth(r.gauges.get(n.loadGauge)), r.texts.get(n.workCycles),
                           r.texts.get(n.loadCycles)});
    }
    c.assessmentTitle = "Оценка наработки и режима работы крана по ИСО 4301/1-85";
    c.assessment = {
        {"Текущая группа классификации (режима) крана по ИСО 4301/1-85",
         shown(r, display::kCurrentGroup)},
        {"Характеристическое число текущее/нормативное",
         shown(r, display::kCharacteristicNumber) + "/" +
             shown(r, display::kNormativeCharacteristicNumber)},
        {"Класс использования по ИСО 4301/1-85", shown(r, display::kUseClass)},
        {"Режим нагружения крана по ИСО 4301/1-85", shown(r, display::kLoadSpectrumClass)},
        {"Коэффициент распределения нагрузок", shown(r, display::kLoadSpectrumFactor)},
        {"Общая масса грузов, поднятая за все время эксплуатации", shown(r, display::kLiftedMass)},
        {"Время работы механизмов грузовой лебедки", shown(r, display::kWinchTime)},
        {"Время работы механизмов изменения угла наклона стрелы",
         shown(r, display::kBoomAngleTime)},
        {"Время работы механизмов изменения длины стрелы", shown(r, display::kBoomLengthTime)},
        {"Время работы механизмов поворота", shown(r, display::kSlewTime)},
        {"Общая наработка крана в моточасах", shown(r, display::kMotorHours)}};
    c.confirm = kConfirm;
    c.signatureLine = kSignatureLine;
    c.signatureName = shown(r, display::kOperatorName);
    c.dateLine = kDateLine;
    return c;
}

AxisScale niceScale(double low, double high, int ticks) {
    if (!std::isfinite(low) || !std::isfinite(high)) low = high = 0;
    if (low > high) std::swap(low, high);
    if (high - low < 1e-9) {
        // A flat series: a band of one round unit around it.
        const double pad = std::max(1.0, std::abs(high) * 0.1);
        low -= pad;
        high += pad;
    }
    ticks = std::max(ticks, 1);
    const double raw = (high - low) / ticks;
    const double magnitude = std::pow(10.0, std::floor(std::log10(raw)));
    double step = magnitude;
    for (double m : {1.0, 2.0, 5.0, 10.0}) {
        step = m * magnitude;
        if (step >= raw) break;
    }
    AxisScale s;
    s.step = step;
    s.low = std::floor(low / step) * step;
    s.high = std::ceil(high / step) * step;
    return s;
}

namespace {

ChartContent chart(std::string caption, std::string yTitle,
                   std::vector<recorder::ChartPoint> points) {
    ChartContent c;
    c.caption = std::move(caption);
    c.yTitle = std::move(yTitle);
    c.xTitle = "Кадры";
    c.series.push_back({std::move(points), 0x000000, 1});
    return c;
}

void scaleAxes(ChartContent& c) {
    double xLow = 0, xHigh = 0, yLow = 0, yHigh = 0;
    bool any = false;
    for (const ChartSeries& s : c.series) {
        const auto span = recorder::valueSpan(s.points);
        if (!span) continue;
        const double x0 = s.points.front().x, x1 = s.points.back().x;
        xLow = any ? std::min({xLow, x0, x1}) : std::min(x0, x1);
        xHigh = any ? std::max({xHigh, x0, x1}) : std::max(x0, x1);
        yLow = any ? std::min(yLow, span->low) : span->low;
        yHigh = any ? std::max(yHigh, span->high) : span->high;
        any = true;
    }
    // Frames fill the width from the first to the last; the numbers are round steps within.
    c.x = niceScale(xLow, xHigh, 10);
    if (any && xHigh > xLow) {
        c.x.low = xLow;
        c.x.high = xHigh;
    }
    c.y = niceScale(yLow, yHigh, 5);
}

}  // namespace

std::array<AppendixPage, 2> appendixContent(const Reading& r) {
    recorder::ParameterChartData data = recorder::parameterChartData(r);
    std::array<AppendixPage, 2> pages;
    for (int i = 0; i < 2; ++i) {
        AppendixPage& p = pages[static_cast<std::size_t>(i)];
        p.label = "Приложение " + std::to_string(i + 1);
        p.title = "Оперативная информация";
        p.subtitles = subtitles(r);
        p.confirm = kConfirm;
        p.signatureLine = kSignatureLine;
        p.signatureName = shown(r, display::kOperatorName);
        p.dateLine = kDateLine;
    }
    ChartContent load =
        chart("График изменения степени загрузки крана", "M %", std::move(data.loadPercent));
    // The 100 % reference line goes first, twice as thick, so the load is drawn over it.
    load.series.insert(load.series.begin(), ChartSeries{std::move(data.limit100), 0xFF0000, 2});
    pages[0].charts = {std::move(load), chart("График изменения массы груза на крюке", "Q т.",
                                              std::move(data.loadMass))};
    pages[1].charts = {
        chart("График изменения длины стрелы крана", "L м.", std::move(data.boomLength)),
        chart("График изменения вылета крана", "R м.", std::move(data.radius))};
    for (AppendixPage& p : pages)
        for (ChartContent& c : p.charts) scaleAxes(c);
    return pages;
}

std::string frameLine(const recorder::FrameRecord& f, const recorder::NumberFormat& format) {
    using recorder::formatFixed;
    std::string line;
    line.reserve(112);
    line += formatFixed(f.BoomAngle, 2, format);
    for (float v : {f.BoomLength, f.Radius, f.Pressure, f.LoadMass, f.Azimuth}) {
        line += '\t';
        line += formatFixed(v, 2, format);
    }
    line += '\t';
    line += std::to_string(f.Temperature);
    for (const std::string* bits :
         {&f.RelayBits, &f.LimitBits, &f.InputBits1, &f.InputBits2, &f.InputBits3}) {
        line += "\t  ";
        line += *bits;
    }
    line += "\t  " + std::to_string(f.LoadPercent);
    line += '\t' + std::to_string(static_cast<int>(f.FaultCode));
    line += '\t' + f.Date;
    line += '\t' + f.Time;
    return line;
}

FrameRange printedFrameRange(std::int64_t first, std::int64_t last) {
    constexpr std::int64_t kLastSlot = static_cast<std::int64_t>(recorder::kFrameTableSize) - 1;
    if (first > last) return {};
    const std::int64_t a = std::max<std::int64_t>(first, 0);
    const std::int64_t b = std::min(last, kLastSlot);
    if (a > b) return {};
    return {static_cast<int>(a), static_cast<int>(b)};
}

OperationalContent operationalContent(const Reading& r, std::int64_t first, std::int64_t last,
                                      const recorder::NumberFormat& format) {
    OperationalContent c;
    c.header = kFrameHeaderLine;
    c.units = kFrameUnitsLine;
    c.title = "Оперативная информация о работе крана " + craneText(r) + ", записанная в РП " +
              limiterText(r);
    const FrameRange range = printedFrameRange(first, last);
    const int lastSlot = std::min(range.last, static_cast<int>(r.FrameTable.size()) - 1);
    c.lines.reserve(static_cast<std::size_t>(std::max(range.count(), 0)));
    for (int i = range.first; i <= lastSlot; ++i)
        c.lines.push_back(frameLine(r.FrameTable[static_cast<std::size_t>(i)], format));
    return c;
}

OverloadContent overloadContent(const Reading& r, const recorder::NumberFormat& format) {
    OverloadContent c;
    c.title = "Таблица перегрузок крана " + craneText(r) + ", записанная в РП " + limiterText(r);
    c.headings = {"№", "Дата", "Процент/загрузки", "Паспортная/грузоподъемность", "Вылет"};
    const int count = std::clamp(r.OverloadCount, 0, static_cast<int>(r.OverloadTable.size()));
    c.rows.reserve(static_cast<std::size_t>(count));
    for (int k = 0; k < count; ++k) {
        const recorder::OverloadRecord& o = r.OverloadTable[static_cast<std::size_t>(k)];
        c.rows.push_back({std::to_string(o.Number), o.Date, std::to_string(o.LoadPercent),
                          recorder::formatFixed(o.Capacity, 2, format),
                          recorder::formatFixed(o.Radius, 2, format)});
    }
    return c;
}

}  // namespace reports
