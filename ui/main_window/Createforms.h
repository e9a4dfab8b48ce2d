#pragma once
// "Обработка испытаний" > "Форма 1", "Форма 2", "Форма 3": the prompts and file
// dialogs, then the forms core makes the data file and the report from the
// shown reading; the window shows the differences, the frame view and the
// parameter chart are narrowed to the test (form 1) and the report is opened
// in the desktop's application for RTF.

#include <QObject>

class ParameterChartPage;
class QWidget;
class ReadingHost;
class RecordView;
class UserDialogs;
namespace forms {
struct PreviousReading;
struct TestPeriod;
}  // namespace forms

class FormCommands : public QObject {
    Q_OBJECT

  public:
    FormCommands(UserDialogs& dialogs, ReadingHost& host, RecordView& frameView,
                 ParameterChartPage& chart, QObject* parent);

  public slots:
    void N_CreateForma1Click();
    void N_CreateForma2Click();
    void N_CreateForma3Click();

  private:
    // Forms 1 and 2: the current reading opened, then the previous one read.
    void createComparedForm(int form);
    void finishForm(int form, const forms::PreviousReading* previous);
    void narrowToTest(const forms::TestPeriod& period);
    QWidget* window() const;

    UserDialogs& dialogs_;
    ReadingHost& host_;
    RecordView& frameView_;
    ParameterChartPage& chart_;
};
