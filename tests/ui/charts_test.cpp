// The two charts after a load: every series holds the core's points, the check
// boxes show and hide the lines and keep their states across files, a click on
// a point asks for the frame view at that frame, and a zoom along the frames
// goes back to all frames with one gesture or with "Очистить".

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableWidget>
#include <QtTest>

#include "recorder/chart_data.h"
#include "ui/charts/frame_chart_view.h"
#include "ui/charts/parameter_chart_page.h"
#include "ui/charts/plot_widget.h"
#include "ui/charts/protection_chart_page.h"
#include "ui/main_window/Tirs48c_litm3_main.h"
#include "ui/views/record_view.h"
#include "ui_fixture.h"

using namespace ui_test;

namespace {

QList<QPointF> toPoints(const std::vector<recorder::ChartPoint>& points) {
    QList<QPointF> list;
    for (const auto& p : points) list.append(QPointF(p.x, p.y));
    return list;
}

// Where a value is drawn on the chart.
QPoint onScreen(FrameChartView* view, QPointF value) {
    return view->mapToPosition(value).toPoint();
}

// How many pixels of `image` have exactly `colour`.
int pixelsOf(const QImage& image, QColor colour, QRect within = {}) {
    if (within.isNull()) within = image.rect();
    int count = 0;
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x)
            count += image.pixelColor(x, y) == colour ? 1 : 0;
    return count;
}

}  // namespace

class ChartsTest : public ProgramTest {
    Q_OBJECT

    QTemporaryDir dir_;
    ParameterChartPage* param_ = nullptr;
    ProtectionChartPage* kz_ = nullptr;

    QString open(std::uint64_t seed, int bufferFrames = 33) {
        sample::SampleOptions options;
        options.seed = seed;
        options.bufferFrames = bufferFrames;
        const QString path =
            writeSample(dir_, QString("reading-%1-%2.litm").arg(seed).arg(bufferFrames), options);
        dialogs_.openAnswers.push_back(path);
        menuItem("Menu_OpenLITM3")->trigger();
        return path;
    }
    // The parameter chart on screen at a size where points can be aimed at.
    void showParameterChart() {
        control<QTabWidget>("PageControl_Main")->setCurrentWidget(control("TabSheet_Grafik"));
        control<QTabWidget>("PageControl_Grafik")->setCurrentWidget(control("TabSheet_Param"));
        main_->show();
        QVERIFY(QTest::qWaitForWindowExposed(main_));
        QApplication::processEvents();
    }

  private slots:
    void initTestCase() { useRussianLocale(); }
    void init() {
        program_.start();
        param_ = main_->findChild<ParameterChartPage*>();
        kz_ = main_->findChild<ProtectionChartPage*>();
        QVERIFY(param_ && kz_);
    }
    void cleanup() { program_.stop(); }

    void beforeAFileTheChartsAreEmptyWithTheirTitles() {
        QCOMPARE(param_->Chart_Param->title(), QString(recorder::kParameterChartInitialTitle));
        QCOMPARE(kz_->Chart_KZ->title(), QString(recorder::kProtectionChartTitle));
        QCOMPARE(param_->loadPercentLine->count(), 0);
        QVERIFY(!param_->Chart_Param->isLegendVisible());
        QVERIFY(kz_->Chart_KZ->titleFont().bold());
        QCOMPARE(kz_->Chart_KZ->titleColour(), QColor(0, 0, 128));
        QCOMPARE(kz_->legendCaption->text(),
                 QString("1 - СТЕНА                  2 - ПОТОЛОК                        "
                         "3 - Поворот ВЛЕВО                     4 - Поворот ВПРАВО"));
        QCOMPARE(param_->limitCaption->text(), QString("------- 100%"));
        QCOMPARE(param_->CheckBox_GrParM->text(), QString("------ M1(t) "));
        QCOMPARE(param_->CheckBox_Data->text(), QString("Даты"));
    }

    void loadingFillsEverySeriesWithTheCoresPoints() {
        const QString path = open(11);
        const recorder::Reading reading = coreReading(path);
        const int frames = main_->reading().FrameCount;
        QCOMPARE(frames, 7293);

        const auto lines = recorder::parameterChartData(reading);
        QCOMPARE(param_->limit100Line->points(), toPoints(lines.limit100));
        QCOMPARE(param_->loadPercentLine->points(), toPoints(lines.loadPercent));
        QCOMPARE(param_->loadMassLine->points(), toPoints(lines.loadMass));
        QCOMPARE(param_->boomLengthLine->points(), toPoints(lines.boomLength));
        QCOMPARE(param_->radiusLine->points(), toPoints(lines.radius));
        QCOMPARE(param_->axisLine->points(), toPoints(lines.axis));
        const QList<PlotSeries*> everyLine = {param_->limit100Line, param_->loadPercentLine,
                                              param_->loadMassLine, param_->boomLengthLine,
                                              param_->radiusLine,   param_->axisLine,
                                              kz_->axisLine};
        for (PlotSeries* s : everyLine) QCOMPARE(s->count(), frames);

        // A working reading spans several days: one mark per change of date.
        QVERIFY(lines.dateMarks.size() >= 2);
        QCOMPARE(param_->dateMarks->count(), static_cast<int>(lines.dateMarks.size()));
        QCOMPARE(param_->dateMarks->labels().size(), param_->dateMarks->count());
        QCOMPARE(param_->dateMarks->labels().first(),
                 QString::fromStdString(lines.dateMarks.front().label));
        // The form's names find the series.
        QCOMPARE(param_->Chart_Param->findSeries("Series1"), param_->limit100Line);
        QCOMPARE(param_->Chart_Param->findSeries("Series3"), param_->dateMarks);
        QCOMPARE(kz_->Chart_KZ->findSeries("Series10"), kz_->axisLine);

        const auto limits = recorder::protectionChartData(reading);
        int marks = 0;
        for (int level = 1; level <= 4; ++level) {
            const auto& series = kz_->limit(level);
            int entered = 0, triggered = 0;
            for (const auto& m : limits.limits[static_cast<std::size_t>(level - 1)])
                ++(m.triggered ? triggered : entered);
            QCOMPARE(series.entered->count(), entered);
            QCOMPARE(series.triggered->count(), triggered);
            for (QPointF p : series.entered->points()) QCOMPARE(p.y(), double(level));
            marks += entered + triggered;
        }
        QVERIFY2(marks > 0, "the sample crane works near its limits");

        QCOMPARE(param_->Chart_Param->title(),
                 QString::fromStdString(recorder::parameterChartTitle(reading)));
        QVERIFY(param_->Chart_Param->title().contains("КС-55713-1 №1187"));
        QCOMPARE(param_->axisFrames->titleText(), QString("Кадры"));
        QCOMPARE(param_->axisFrames->min(), 0.0);
        QCOMPARE(param_->axisFrames->max(), double(frames - 1));
        QCOMPARE(kz_->axisFrames->max(), double(frames - 1));
        QCOMPARE(kz_->axisLevels->min(), 0.0);
        QCOMPARE(kz_->axisLevels->max(), 5.0);

        // A full reading with every line shown paints at once, lines in their colours.
        ParameterChartPage page;
        page.fill(reading);
        for (PlotSeries* s : page.Chart_Param->series()) s->setVisible(true);
        page.resize(1000, 640);
        page.layout()->activate();
        QImage picture(page.Chart_Param->size(), QImage::Format_ARGB32_Premultiplied);
        QElapsedTimer clock;
        clock.start();
        page.Chart_Param->render(&picture);
        const qint64 elapsed = clock.elapsed();
        qInfo("parameter chart of %d frames painted in %lld ms", frames, elapsed);
        QVERIFY2(elapsed < 200, qPrintable(QString("%1 ms").arg(elapsed)));
        QVERIFY(pixelsOf(picture, QColor(0, 128, 0)) > 500);      // the load percentage
        QVERIFY(pixelsOf(picture, QColor(255, 0, 0)) > 500);      // the 100 % line
        QVERIFY(pixelsOf(picture, QColor(255, 255, 225)) > 100);  // the date labels' boxes
        if (const QString shots = qEnvironmentVariable("TIRS_SCREENSHOT_DIR"); !shots.isEmpty()) {
            picture.save(QDir(shots).filePath("57-chart-every-line.png"));
            const double mark = page.dateMarks->at(0).x();
            page.showFrames(mark - 60, mark + 60);
            page.Chart_Param->render(&picture);
            picture.save(QDir(shots).filePath("58-chart-zoomed-date.png"));
        }
    }

    // A plot of many more points than pixels still shows a single spike among
    // them; a date axis writes its ticks as days, from end to end.
    void manyPointsKeepTheirPeaksAndDatesReadAsDays() {
        PlotWidget plot;
        plot.resize(400, 300);
        PlotSeries* line = plot.addSeries("Line");
        line->setPen(QPen(Qt::red, 1));
        QList<QPointF> points;
        for (int i = 0; i < 20000; ++i) points.append(QPointF(i, i == 12345 ? 100 : 0));
        line->replace(points);
        plot.axisX().setRange(0, 19999);
        plot.axisX().setTickInterval(5000);
        plot.axisY().setRange(0, 100);
        plot.axisY().setTickInterval(20);
        QImage picture(plot.size(), QImage::Format_ARGB32_Premultiplied);
        plot.render(&picture);
        const QRect plotArea = plot.plotArea().toRect();
        const QRect top(plotArea.left(), plotArea.top(), plotArea.width(), plotArea.height() / 4);
        QVERIFY(pixelsOf(picture, Qt::red, top) > 5);
        // Zoomed away from the spike, nothing of it shows.
        plot.axisX().setRange(0, 10000);
        plot.render(&picture);
        QCOMPARE(pixelsOf(picture, Qt::red, top), 0);

        const double day = 86400000.0, first = 20089 * day + 3600000.0;  // 01.01.2025 01:00
        plot.axisX().setLabels(PlotAxis::Labels::Dates);
        plot.axisX().setRange(first, first + 40 * day);
        plot.axisX().setTickCount(5);
        const QList<double> ticks = plot.axisX().ticks();
        QCOMPARE(ticks.size(), 5);
        QCOMPARE(plot.axisX().tickText(ticks.front(), plot.locale()), QString("01.01.2025"));
        QCOMPARE(plot.axisX().tickText(ticks.back(), plot.locale()), QString("10.02.2025"));
    }

    void redMarksAreDrawnOverGreen() {
        const QList<PlotSeries*> order = kz_->Chart_KZ->series();
        for (int a = 1; a <= 4; ++a)
            for (int b = 1; b <= 4; ++b)
                QVERIFY(order.indexOf(kz_->limit(a).entered) <
                        order.indexOf(kz_->limit(b).triggered));
        QCOMPARE(kz_->limit(1).entered->markerSize(), 15.0);
        const QImage tick = kz_->limit(1).triggered->marker();
        QCOMPARE(tick.pixelColor(7, 0), QColor(255, 0, 0));
        QCOMPARE(tick.pixelColor(7, 14), QColor(255, 0, 0));
        QCOMPARE(tick.pixelColor(6, 7).alpha(), 0);
        QCOMPARE(tick.pixelColor(8, 7).alpha(), 0);
    }

    void checkBoxesShowTheirLinesAndKeepTheirStatesAcrossFiles() {
        open(3);
        // As the window starts: M and Q shown, R, L and the dates hidden.
        QVERIFY(param_->limit100Line->isVisible() && param_->loadPercentLine->isVisible());
        QVERIFY(param_->loadMassLine->isVisible());
        QVERIFY(!param_->radiusLine->isVisible() && !param_->boomLengthLine->isVisible());
        QVERIFY(!param_->dateMarks->isVisible());

        param_->CheckBox_GrParM->click();
        QVERIFY(!param_->limit100Line->isVisible());
        QVERIFY(!param_->loadPercentLine->isVisible());
        QVERIFY(param_->loadMassLine->isVisible());
        param_->CheckBox_GrParR->click();
        QVERIFY(param_->radiusLine->isVisible());
        param_->CheckBox_GrParL->click();
        QVERIFY(param_->boomLengthLine->isVisible());
        param_->CheckBox_GrParQ->click();
        QVERIFY(!param_->loadMassLine->isVisible());
        param_->CheckBox_Data->click();
        QVERIFY(param_->dateMarks->isVisible());
        QVERIFY(param_->axisLine->isVisible());

        // The value axis follows what is shown: without M, no 100 % line to reach.
        QVERIFY(param_->axisValues->max() < 100);
        param_->CheckBox_GrParM->click();
        QVERIFY(param_->axisValues->max() >= 100);
        param_->CheckBox_GrParM->click();

        open(4);
        QVERIFY(!param_->CheckBox_GrParM->isChecked());
        QVERIFY(!param_->limit100Line->isVisible() && !param_->loadPercentLine->isVisible());
        QVERIFY(param_->radiusLine->isVisible() && param_->boomLengthLine->isVisible());
        QVERIFY(!param_->loadMassLine->isVisible());
        QVERIFY(param_->dateMarks->isVisible());
    }

    void clickOnAPointJumpsToItsFrame() {
        open(5);
        showParameterChart();
        QSignalSpy jumps(main_, &TForm_TIRS48CMain::frameJumpRequested);

        // Near frame 7000, points stand far enough apart to aim at one.
        param_->showFrames(6990, 7010);
        QApplication::processEvents();
        const QPointF point = param_->loadPercentLine->at(7000);
        QCOMPARE(point.x(), 7000.0);
        QTest::mouseClick(param_->Chart_Param, Qt::LeftButton, {},
                          onScreen(param_->Chart_Param, point));
        QCOMPARE(jumps.count(), 1);
        QCOMPARE(jumps.takeFirst().at(0).toInt(), 7000);
        QCOMPARE(control<QTabWidget>("PageControl_Main")->currentWidget(),
                 control("TabSheet_Cikl"));
        QCOMPARE(control<QTabWidget>("PageControl_Cikl")->currentWidget(), control("TabSheet_Osn"));
        RecordView* frames = main_->frameView();
        for (int c = 0; c < 5; ++c)
            QCOMPARE(frames->grid->item(0, c)->text(), QString::number(7000 + c));

        // After a selection the click stands on the clicked frame's entry of the list.
        frames->firstEdit->setText("6990");
        frames->lastEdit->setText("7010");
        QTest::mouseClick(frames->rangeButton, Qt::LeftButton);
        showParameterChart();
        QTest::mouseClick(param_->Chart_Param, Qt::LeftButton, {},
                          onScreen(param_->Chart_Param, point));
        QCOMPARE(jumps.count(), 1);
        jumps.clear();
        QCOMPARE(frames->grid->item(0, 0)->text(), QString("7000"));
        QCOMPARE(frames->countLabel->text(), QString("21"));

        // A frame the selection does not list: the selection is left and the view says so.
        frames->firstEdit->setText("7005");
        QTest::keyClick(frames->firstEdit, Qt::Key_Return);
        QCOMPARE(frames->countLabel->text(), QString("6"));
        showParameterChart();
        QTest::mouseClick(param_->Chart_Param, Qt::LeftButton, {},
                          onScreen(param_->Chart_Param, point));
        jumps.clear();
        QCOMPARE(frames->grid->item(0, 0)->text(), QString("7000"));
        const QString count = QString::number(main_->reading().FrameCount);
        QCOMPARE(frames->countLabel->text(), count);
        QCOMPARE(frames->noteLabel->text(),
                 QString("Кадр 7000 не входит в выборку — показаны все кадры."));
        QCOMPARE(frames->positionLabel->text(), "7001–7005 из " + count);

        // The 100 % line at frame 7003 is a point of a series as well.
        showParameterChart();
        QTest::mouseClick(param_->Chart_Param, Qt::LeftButton, {},
                          onScreen(param_->Chart_Param, QPointF(7003, 100)));
        QCOMPARE(jumps.count(), 1);
        QCOMPARE(jumps.takeFirst().at(0).toInt(), 7003);
        QCOMPARE(frames->noteLabel->text(), QString());  // the selection was kept
    }

    void hiddenLinesAndEmptySpaceAreNotHit() {
        open(5);
        showParameterChart();
        // A frame whose load point stands clear of the other shown lines.
        const double top = param_->axisValues->max();
        int frame = -1;
        for (int n = 10; n < 7280 && frame < 0; ++n) {
            const double q = param_->loadMassLine->at(n).y(),
                         m = param_->loadPercentLine->at(n).y();
            if (q > 0.1 * top && q < 0.8 * top && std::abs(q - m) > 0.1 * top) frame = n;
        }
        QVERIFY2(frame >= 0, "no load point clear of the other lines");
        param_->showFrames(frame - 10, frame + 10);
        QApplication::processEvents();
        const QPointF load = param_->Chart_Param->mapToPosition(param_->loadMassLine->at(frame));
        QCOMPARE(param_->frameAt(load), std::optional<int>(frame));

        param_->CheckBox_GrParQ->click();
        QCOMPARE(param_->axisValues->max(), top);  // the 100 % line still sets the axis
        QCOMPARE(param_->frameAt(load), std::nullopt);
        param_->CheckBox_GrParQ->click();

        QSignalSpy jumps(main_, &TForm_TIRS48CMain::frameJumpRequested);
        QTest::mouseClick(param_->Chart_Param, Qt::LeftButton, {}, QPoint(2, 2));
        QCOMPARE(jumps.count(), 0);
    }

    void dragZoomsIntoFramesAndRightClickOrClearShowsAll() {
        open(6);
        showParameterChart();
        QSignalSpy jumps(main_, &TForm_TIRS48CMain::frameJumpRequested);
        FrameChartView* view = param_->Chart_Param;
        const QPoint from = onScreen(view, QPointF(1000, 0)) - QPoint(0, 40);
        const QPoint to = onScreen(view, QPointF(2000, 0)) - QPoint(0, 40);

        QTest::mousePress(view, Qt::LeftButton, {}, from);
        for (int step = 1; step <= 4; ++step) QTest::mouseMove(view, from + (to - from) * step / 4);
        QTest::mouseRelease(view, Qt::LeftButton, {}, to);
        QVERIFY(view->isZoomed());
        QCOMPARE(jumps.count(), 0);  // a drag is no click
        // Within a pixel's worth of frames of where the band started and ended.
        const double perPixel = 7292.0 / view->plotArea().width();
        QVERIFY(std::abs(param_->axisFrames->min() - 1000) <= 2 * perPixel);
        QVERIFY(std::abs(param_->axisFrames->max() - 2000) <= 2 * perPixel);
        QVERIFY(param_->axisFrames->tickInterval() >= 1);

        QTest::mouseClick(view, Qt::RightButton, {}, from);
        QVERIFY(!view->isZoomed());
        QCOMPARE(param_->axisFrames->min(), 0.0);
        QCOMPARE(param_->axisFrames->max(), 7292.0);

        // "Очистить" puts the frame axis back to automatic as well.
        param_->showFrames(100, 200);
        QCOMPARE(param_->axisFrames->min(), 100.0);
        menuItem("Menu_Clear")->trigger();
        QCOMPARE(param_->axisFrames->min(), 0.0);
        QCOMPARE(param_->axisFrames->max(), 7292.0);
        QCOMPARE(param_->loadPercentLine->count(), 7293);  // clearing leaves the series

        // Too narrow a stretch still shows a few frames; the next file shows all.
        param_->showFrames(500, 500);
        QVERIFY(param_->axisFrames->max() - param_->axisFrames->min() >=
                FrameChartView::kNarrowestStretch - 1e-9);
        open(7, 12);
        QVERIFY(!view->isZoomed());
        QCOMPARE(param_->axisFrames->max(), 7271.0);
    }
};

QTEST_MAIN(ChartsTest)
#include "charts_test.moc"
