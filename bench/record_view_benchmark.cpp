// A scroll step of the frame view and a selection over all 7293 frames, each
// with the grid repainted, as the user sees them. Prints milliseconds: the
// median of the scroll steps and of the selections.

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QScrollBar>
#include <QTableWidget>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "dialogs/user_dialogs.h"
#include "recorder/loader.h"
#include "simulation/sample_reading/sample_reading.h"
#include "ui/views/record_view.h"

namespace {

// No one at the screen: every dialog is answered at once.
class NoDialogs : public UserDialogs {
  public:
    QString getOpenFileName(QWidget*, const QString&, const QString&, const QString&,
                            const QString&) override {
        return {};
    }
    QString getSaveFileName(QWidget*, const SaveFileQuestion&) override { return {}; }
    void showError(QWidget*, const QString&, const QString& = {}) override {}
    void showInformation(QWidget*, const QString&, const QString& = {}) override {}
    bool askOkCancel(QWidget*, const QString&, const QString&) override { return false; }
    void runModal(QDialog&) override {}
    void openDocument(const QString&) override {}
};

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double millis(const QElapsedTimer& clock) {
    return static_cast<double>(clock.nsecsElapsed()) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    sample::SampleOptions options;
    options.bufferFrames = 33;  // the full table of 7293 frames
    recorder::Reading reading;
    recorder::loadReading(recorder::DataFile(sample::makeSampleReading(options)), reading, {','});

    NoDialogs dialogs;
    RecordView view(frameViewSetup(), reading, dialogs, ',', nullptr);
    view.resize(760, 520);
    view.show();
    view.setUpAfterLoad();
    QApplication::processEvents();

    std::vector<double> steps;
    QElapsedTimer clock;
    for (int i = 0; i < 200; ++i) {
        clock.start();
        view.showPosition(1000 + i);
        view.grid->repaint();
        steps.push_back(millis(clock));
    }
    view.minLoadEdit->setText("0");  // "М > 0" lists every frame
    std::vector<double> selections;
    for (int i = 0; i < 20; ++i) {
        clock.start();
        view.selectByTag(1);
        view.grid->repaint();
        selections.push_back(millis(clock));
    }
    std::printf("scroll step %.3f ms, selection over all frames %.3f ms (medians)\n", median(steps),
                median(selections));
    return 0;
}
