#pragma once
// The print window: created at start-up beside the other windows and never
// shown itself. Its four actions fill a report from the shown reading and its
// texts (the main window's, through ReadingHost) and show it in a modal print
// preview, from which the user prints or saves a PDF.

#include <QWidget>
#include <vector>

#include "reports/page_writer.h"

class QAction;
class ReadingHost;
class UserDialogs;

class TForm_Print : public QWidget {
    Q_OBJECT

  public:
    TForm_Print(ReadingHost& host, UserDialogs& dialogs);

    QAction* Action_PrintInfCart = nullptr;  // the information card
    QAction* Action_PrintPril1 = nullptr;    // its two appendix pages, one preview each
    QAction* Action_PrintCikl = nullptr;     // the operational information
    QAction* Action_PrintPer = nullptr;      // the overload table

  public slots:
    void Action_PrintInfCartExecute();
    void Action_PrintPrilExecute();
    void Action_PrintCiklExecute();
    void Action_PrintPerExecute();

  private:
    // Shows the layout in a modal print preview named `name`; returns when it is closed.
    void preview(const reports::ReportLayout& layout, const char* name);

    ReadingHost& host_;
    UserDialogs& dialogs_;
};
