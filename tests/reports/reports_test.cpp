// The printed reports written as PDF and read back as a person's tools read
// them, and the computed layouts they are drawn from.

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include "pdf_text.h"
#include "recorder/counters.h"
#include "recorder/loader.h"
#include "reports/report_files.h"
#include "reports/report_layouts.h"
#include "simulation/sample_reading/sample_reading.h"

namespace {

using reports::ReportKind;
const recorder::NumberFormat kComma{','};

recorder::Reading sampleReading(const sample::SampleOptions& options) {
    recorder::Reading r;
    recorder::loadReading(recorder::DataFile(sample::makeSampleReading(options)), r, kComma);
    return r;
}

// Runs of blanks made one, so a test states the words of a line, not its spacing.
QString simplified(const QString& text) {
    QString out = text;
    out.replace(QRegularExpression("[ \\t]+"), " ");
    return out;
}

class Reports : public ::testing::Test {
  protected:
    QTemporaryDir dir_;

    QString write(ReportKind kind, const recorder::Reading& r,
                  reports::FrameSpan frames = {0, 40}) {
        const QString path = dir_.filePath(QString("report%1.pdf").arg(++written_));
        QString error;
        EXPECT_TRUE(reports::writeReportPdf(kind, r, kComma, frames, path, error))
            << error.toStdString();
        return path;
    }

  private:
    int written_ = 0;
};

TEST_F(Reports, CardShowsTheWindowTextsOfAGeneratedReading) {
    const recorder::Reading r = sampleReading({});
    const QStringList pages = pdf_test::pageTexts(write(ReportKind::Card, r));
    ASSERT_EQ(pages.size(), 1);
    const QString text = simplified(pages[0]);
    for (const char* expected :
         {"Информационная карта", "по данным регистратора параметров ТИРС-48С-05 №001734",
          "на кран КС-55713-1 №1187", "Информацию считал: Петров Алексей Викторович",
          "Удостоверение № ТН-0417", "действительно до 15.09.2026",
          "Организация: ООО «Кранэкспертиза»", "Ограничитель: ТИРС-48С-05 №001734",
          "Версия программы/таблиц/РП: 12/3/4", "Изготовитель: ЗАО «Кранприбор»",
          "Изготовитель: ОАО «Уральский крановый завод»", "Год изготовления крана: 2019",
          "Владелец: ООО «СтройМеханизация-7»", "Дата установки РП: 12.03.20",
          "Таблица нарабоки крана по степени загрузки",
          "Оценка наработки и режима работы крана по ИСО 4301/1-85", "Информацию подтверждаю"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;
    EXPECT_TRUE(
        text.contains("Дата считывания: " + QString::fromStdString(r.texts.get("Edit_DataSch"))));
    // Each band's row: its caption, then work cycles and load cycles.
    const auto& names = recorder::bandDisplays();
    for (int band = 0; band < 15; ++band) {
        const auto& n = names[static_cast<std::size_t>(band)];
        const QString row =
            simplified(QString::fromStdString(reports::bandCaption(band))).trimmed() + " " +
            QString::fromStdString(r.texts.get(n.workCycles)) + " " +
            QString::fromStdString(r.texts.get(n.loadCycles));
        EXPECT_TRUE(text.contains(row)) << row.toStdString();
    }
    for (const char* name : {"Label_RezhA", "Label_KIspU", "Label_RezhQ", "Label_KNag",
                             "Label_QSum", "E_LEsec", "E_ALsec", "E_Lsec", "E_GAsec", "L_TimeAll"})
        EXPECT_TRUE(text.contains(QString::fromStdString(r.texts.get(name)))) << name;
    EXPECT_TRUE(text.contains(
        QString::fromStdString(r.texts.get("Edit_HarCh") + "/" + r.texts.get("Label_NHarch"))));
}

TEST_F(Reports, CardBarsAreTheGaugeValuesOfTheFrameWidthTruncated) {
    recorder::Reading r;
    r.gauges.set("CGauge_N10", 50);  // 281 × 50 / 100 = 140.5
    r.gauges.set("CGauge_10", 0);
    r.gauges.set("CGauge_N20", 100);
    r.gauges.set("CGauge_20", 100);
    r.gauges.set("CGauge_Nb140", 1);  // 2.81
    const reports::CardLayout card = reports::cardLayout(reports::cardContent(r));
    EXPECT_EQ(card.bars[0].workBar.width(), 140);
    EXPECT_EQ(card.bars[0].loadBar.width(), 0);
    EXPECT_EQ(card.bars[1].workBar.width(), 281);
    EXPECT_EQ(card.bars[1].loadBar, card.bars[1].loadFrame);
    EXPECT_EQ(card.bars[14].workBar.width(), 2);
    EXPECT_LT(card.bars[0].workFrame.bottom(), card.bars[0].loadFrame.top());

    // What is drawn: exactly the non-empty bars filled, every frame 281 by 7.
    std::vector<double> filled;
    int frames = 0;
    for (const reports::Band& band : card.layout.body)
        for (const reports::Item& item : band.items)
            if (const auto* box = std::get_if<reports::BoxItem>(&item)) {
                if (box->filled)
                    filled.push_back(box->rect.width());
                else if (box->rect.size() == QSizeF(281, 7))
                    ++frames;
            }
    std::sort(filled.begin(), filled.end());
    EXPECT_EQ(filled, (std::vector<double>{2, 140, 281, 281}));
    EXPECT_EQ(frames, 30);
    EXPECT_EQ(reports::paginate(card.layout).size(), 1u);
}

TEST_F(Reports, OperationalInformationPutsEveryValueUnderItsHeading) {
    recorder::Reading r = sampleReading({});
    recorder::FrameRecord& f = r.FrameTable[3];
    f = recorder::FrameRecord{};
    f.BoomAngle = 40;
    f.BoomLength = 12.5f;
    f.Radius = 8;
    f.LoadMass = 3.25f;
    f.Azimuth = 359.9f;
    f.Temperature = -10;
    f.RelayBits = "00000001";
    f.LimitBits = "10010001";
    f.LoadPercent = 105;
    f.Date = "28.11.06";
    f.Time = "14:05:59";
    const auto content = reports::operationalContent(r, 3, 3, kComma);
    ASSERT_EQ(content.lines.size(), 1u);
    EXPECT_EQ(content.lines[0],
              "40,00\t12,50\t8,00\t0,00\t3,25\t359,90\t-10\t  00000001\t  10010001\t  00000000\t  "
              "00000000\t  00000000\t  105\t0\t28.11.06\t14:05:59");

    const QString path = write(ReportKind::Frames, r, {3, 3});
    const auto words = pdf_test::words(path);
    auto find = [&](const QString& text) {
        for (const auto& w : words)
            if (w.text == text) return w;
        ADD_FAILURE() << "no word " << text.toStdString();
        return pdf_test::Word{};
    };
    const auto heading = pdf_test::lineAt(words, 0, find("al").y);
    const auto units = pdf_test::lineAt(words, 0, find("град").y);
    const auto values = pdf_test::lineAt(words, 0, find("40,00").y);
    ASSERT_EQ(heading.size(), 16u);
    ASSERT_EQ(values.size(), 16u);
    const char* expected[] = {"40,00", "12,50",    "8,00",     "0,00",     "3,25",     "359,90",
                              "-10",   "00000001", "10010001", "00000000", "00000000", "00000000",
                              "105",   "0",        "28.11.06", "14:05:59"};
    for (std::size_t i = 0; i < 16; ++i) {
        EXPECT_EQ(values[i].text, QString::fromUtf8(expected[i]));
        // Under its heading: from the heading's left edge to a few points right
        // of it (the bit strings and M stand after two blanks).
        EXPECT_GE(values[i].x, heading[i].x - 0.5) << heading[i].text.toStdString();
        EXPECT_LT(values[i].x, heading[i].x + 6) << heading[i].text.toStdString();
        if (i + 1 < 16) {
            EXPECT_LT(values[i].right, heading[i + 1].x) << expected[i];
        }
    }
    // The units line: seven units under the first seven headings, "%" under M.
    ASSERT_EQ(units.size(), 8u);
    for (std::size_t i = 0; i < 7; ++i) EXPECT_NEAR(units[i].x, heading[i].x, 0.5);
    EXPECT_EQ(units[7].text, "%");
    EXPECT_NEAR(units[7].x, heading[12].x, 0.5);

    const QString page = simplified(pdf_test::pageTexts(path).value(0));
    EXPECT_TRUE(page.contains(QString::fromUtf8(
        "Оперативная информация о работе крана КС-55713-1 №1187, записанная в РП ТИРС-48С-05 "
        "№001734")));
    EXPECT_TRUE(page.contains(QString::fromUtf8("Страница 1")));
}

TEST_F(Reports, FrameRangeIsCutToTheTable) {
    const recorder::Reading r = sampleReading({});  // 12 buffer frames: slots from 7272 cleared
    EXPECT_EQ(reports::operationalContent(r, -5, 99999, kComma).lines.size(), 7293u);
    EXPECT_EQ(reports::operationalContent(r, INT64_MIN, INT64_MAX, kComma).lines.size(), 7293u);
    EXPECT_EQ(reports::operationalContent(r, 7290, 9000, kComma).lines.size(), 3u);
    EXPECT_EQ(reports::operationalContent(r, 0, 0, kComma).lines.size(), 1u);
    EXPECT_TRUE(reports::operationalContent(r, 10, 5, kComma).lines.empty());
    EXPECT_TRUE(reports::operationalContent(r, 8000, 9000, kComma).lines.empty());
    EXPECT_EQ(reports::operationalContent(r, 7292, 7292, kComma).lines.front(),
              "0,00\t0,00\t0,00\t0,00\t0,00\t0,00\t0\t  00000000\t  00000000\t  00000000\t  "
              "00000000\t  00000000\t  0\t0\t00.00.00\t00:00:00");
    // An empty body still prints its page with the header and the footer.
    const QStringList pages = pdf_test::pageTexts(write(ReportKind::Frames, r, {10, 5}));
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(pages[0].contains(QString::fromUtf8("Вых.реле.")));
    EXPECT_TRUE(pages[0].contains(QString::fromUtf8("Страница 1")));
}

TEST_F(Reports, OverloadTablePrintsTheRecordInFiveAlignedColumns) {
    recorder::Reading r = sampleReading({});
    recorder::OverloadRecord& o = r.OverloadTable[4];
    o.Number = 4;
    o.Date = "15.03.06";
    o.LoadPercent = 131;
    o.Capacity = 2.5f;
    o.Radius = 10.75f;
    const QString path = write(ReportKind::Overloads, r);
    const QString page = simplified(pdf_test::pageTexts(path).value(0));
    EXPECT_TRUE(page.contains("\n 4 15.03.06 131 2,50 10,75\n") ||
                page.contains("\n4 15.03.06 131 2,50 10,75\n"))
        << page.toStdString();
    EXPECT_TRUE(page.contains(QString::fromUtf8(
        "Таблица перегрузок крана КС-55713-1 №1187, записанная в РП ТИРС-48С-05 №001734")));

    // Number, load, capacity and radius right-aligned, the date left-aligned, row after row.
    const auto words = pdf_test::words(path);
    std::vector<std::vector<pdf_test::Word>> rows;
    for (const auto& w : words)
        if (QRegularExpression("^\\d\\d\\.\\d\\d\\.\\d\\d$").match(w.text).hasMatch())
            rows.push_back(pdf_test::lineAt(words, 0, w.y));
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(r.OverloadCount));
    for (const auto& row : rows) {
        ASSERT_EQ(row.size(), 5u);
        EXPECT_NEAR(row[0].right, rows[0][0].right, 0.5);
        EXPECT_NEAR(row[1].x, rows[0][1].x, 0.5);
        for (std::size_t c = 2; c < 5; ++c) EXPECT_NEAR(row[c].right, rows[0][c].right, 0.5);
    }
}

TEST_F(Reports, LongTablesPageWithTheHeaderOnEveryPageAndNoLineCut) {
    sample::SampleOptions options;
    options.bufferFrames = 33;
    options.overloads = 2600;
    const recorder::Reading r = sampleReading(options);
    ASSERT_EQ(r.FrameCount, 7293);
    ASSERT_EQ(r.OverloadCount, 2600);

    struct Case {
        ReportKind kind;
        const char* heading;
        QRegularExpression line;
        int lines;
    };
    const Case cases[] = {
        {ReportKind::Frames, "Вых.реле.",
         QRegularExpression("\\d\\d\\.\\d\\d\\.\\d\\d +\\d\\d:\\d\\d:\\d\\d *$",
                            QRegularExpression::MultilineOption),
         7293},
        {ReportKind::Overloads, "грузоподъемность",
         QRegularExpression("^ *\\d+ +\\d\\d\\.\\d\\d\\.\\d\\d +\\d+ +\\d+,\\d\\d +\\d+,\\d\\d *$",
                            QRegularExpression::MultilineOption),
         2600},
    };
    for (const Case& c : cases) {
        const auto layouts = reports::reportLayouts(c.kind, r, kComma, {0, 7292});
        const auto planned = reports::paginate(layouts.front());
        const QStringList pages = pdf_test::pageTexts(write(c.kind, r, {0, 7292}));
        ASSERT_EQ(pages.size(), static_cast<qsizetype>(planned.size()));
        EXPECT_GT(pages.size(), 20);
        int lines = 0;
        for (qsizetype p = 0; p < pages.size(); ++p) {
            EXPECT_TRUE(pages[p].contains(QString::fromUtf8(c.heading))) << "page " << p + 1;
            EXPECT_TRUE(pages[p].contains(QString::fromUtf8("Страница %1").arg(p + 1)))
                << "page " << p + 1;
            lines += static_cast<int>(pages[p].count(c.line));
        }
        EXPECT_EQ(lines, c.lines);
        // No body band crosses into the footer.
        const double bodyBottom =
            layouts.front().printableRect().height() - layouts.front().footer.front().height;
        for (const auto& page : planned)
            for (const auto& placed : page.bands)
                if (placed.band != &layouts.front().footer.front()) {
                    EXPECT_LE(placed.top + placed.band->height, bodyBottom + 0.01);
                }
    }
}

TEST_F(Reports, AppendixIsTwoPagesOfVectorChartsOverEveryLoadedFrame) {
    sample::SampleOptions options;
    options.bufferFrames = 1;
    const recorder::Reading r = sampleReading(options);
    ASSERT_EQ(r.FrameCount, 7261);
    const auto content = reports::appendixContent(r);
    ASSERT_EQ(content[0].charts[0].series.size(), 2u);  // the 100 % line and the load
    EXPECT_EQ(content[0].charts[0].series[0].rgb, 0xFF0000u);
    EXPECT_EQ(content[0].charts[0].series[0].lineWidth,
              2 * content[0].charts[0].series[1].lineWidth);
    for (const auto& page : content)
        for (const auto& chart : page.charts)
            for (const auto& s : chart.series) {
                ASSERT_EQ(s.points.size(), 7261u);
                EXPECT_EQ(s.points.front().x, 0);
                EXPECT_EQ(s.points.back().x, 7260);
                EXPECT_LE(chart.x.low, 0);
                EXPECT_GE(chart.x.high, 7260);
            }

    // Both charts full width, the upper under the heading, the lower from about
    // the middle, the signature under it, all on the page.
    for (const auto& layout : reports::appendixLayouts(content)) {
        ASSERT_EQ(layout.body.size(), 1u);
        std::vector<QRectF> charts;
        for (const auto& item : layout.body[0].items)
            if (const auto* c = std::get_if<reports::ChartItem>(&item)) charts.push_back(c->rect);
        const QRectF area = layout.printableRect();
        ASSERT_EQ(charts.size(), 2u);
        EXPECT_EQ(charts[0].width(), area.width());
        EXPECT_LT(charts[0].bottom(), charts[1].top());
        EXPECT_NEAR(charts[1].top(), area.height() / 2, area.height() * 0.05);
        EXPECT_LE(layout.body[0].height, area.height());
        EXPECT_EQ(reports::paginate(layout).size(), 1u);
    }

    const QString path = write(ReportKind::Appendix, r);
    const QStringList pages = pdf_test::pageTexts(path);
    ASSERT_EQ(pages.size(), 2);
    const char* page1[] = {"Приложение 1",
                           "Оперативная информация",
                           "График изменения степени загрузки крана",
                           "График изменения массы груза на крюке",
                           "Кадры",
                           "на кран КС-55713-1 №1187",
                           "Информацию подтверждаю"};
    for (const char* t : page1) EXPECT_TRUE(pages[0].contains(QString::fromUtf8(t))) << t;
    const char* page2[] = {"Приложение 2", "График изменения длины стрелы крана",
                           "График изменения вылета крана", "Петров Алексей Викторович"};
    for (const char* t : page2) EXPECT_TRUE(pages[1].contains(QString::fromUtf8(t))) << t;
    // The upright axis titles (the layout mode leaves rotated text out; the plain one joins it).
    const QString plain = pdf_test::runPdftotext({path, "-"}).remove(' ');
    for (const char* t : {"M%", "Qт.", "Lм.", "Rм."})
        EXPECT_TRUE(plain.contains(QString::fromUtf8(t))) << t;
    // Drawn as strokes, not pasted as pictures.
    QProcess images;
    images.start("pdfimages", {"-list", path});
    images.waitForFinished();
    EXPECT_EQ(QString::fromUtf8(images.readAllStandardOutput()).trimmed().split('\n').size(), 2)
        << "only the listing's two heading lines";
}

TEST_F(Reports, BeforeAnyFileIsOpenedThePagesShowTheirCaptionsAndEmptyValues) {
    const recorder::Reading r;
    const QString card = simplified(pdf_test::pageTexts(write(ReportKind::Card, r)).value(0));
    for (const char* t : {"Информационная карта", "по данным регистратора параметров №",
                          "Информацию считал:", "Удостоверение №",
                          "Дата считывания:", "Год изготовления крана:", "Диапазон нагрузок",
                          "Циклы нагружения", "140%< M", "Общая наработка крана в моточасах"})
        EXPECT_TRUE(card.contains(QString::fromUtf8(t))) << t;
    // Empty values: the captions follow each other.
    for (const char* t : {"Информацию считал: Удостоверение № действительно до",
                          "Характеристическое число текущее/нормативное /"})
        EXPECT_TRUE(card.contains(QString::fromUtf8(t))) << t;

    const QStringList appendix = pdf_test::pageTexts(write(ReportKind::Appendix, r));
    ASSERT_EQ(appendix.size(), 2);
    EXPECT_TRUE(appendix[1].contains(QString::fromUtf8("График изменения вылета крана")));

    const QStringList overloads = pdf_test::pageTexts(write(ReportKind::Overloads, r));
    ASSERT_EQ(overloads.size(), 1);
    EXPECT_TRUE(overloads[0].contains(QString::fromUtf8("Таблица перегрузок крана")));
    EXPECT_TRUE(overloads[0].contains(QString::fromUtf8("Страница 1")));
}

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
