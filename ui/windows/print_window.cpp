#include "ui/windows/print_window.h"

#include <QAction>
#include <QMainWindow>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "dialogs/user_dialogs.h"
#include "reports/report_content.h"
#include "reports/report_layouts.h"
#include "ui/main_window/reading_host.h"

namespace {

QAction* action(QWidget* owner, const char* name, void (TForm_Print::*handler)()) {
    auto* a = new QAction(owner);
    a->setObjectName(name);
    QObject::connect(a, &QAction::triggered, static_cast<TForm_Print*>(owner), handler);
    return a;
}

}  // namespace

TForm_Print::TForm_Print(ReadingHost& host, UserDialogs& dialogs)
    : QWidget(&host.hostWindow(), Qt::Window), host_(host), dialogs_(dialogs) {
    setObjectName("Form_Print");
    setWindowTitle(QString::fromUtf8("Форма для печати"));
    Action_PrintInfCart =
        action(this, "Action_PrintInfCart", &TForm_Print::Action_PrintInfCartExecute);
    Action_PrintPril1 = action(this, "Action_PrintPril1", &TForm_Print::Action_PrintPrilExecute);
    Action_PrintCikl = action(this, "Action_PrintCikl", &TForm_Print::Action_PrintCiklExecute);
    Action_PrintPer = action(this, "Action_PrintPer", &TForm_Print::Action_PrintPerExecute);
    hide();
}

void TForm_Print::preview(const reports::ReportLayout& layout, const char* name) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(layout.orientation);
    QPrintPreviewDialog dialog(&printer, &host_.hostWindow());
    dialog.setObjectName(name);
    dialog.setWindowTitle(QString::fromUtf8("Предварительный просмотр"));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
            [&layout](QPrinter* device) { reports::render({&layout}, *device); });
    dialogs_.runModal(dialog);
}

void TForm_Print::Action_PrintInfCartExecute() {
    const reports::CardLayout card = reports::cardLayout(reports::cardContent(host_.reading()));
    preview(card.layout, "QuickRep_Main");
}

void TForm_Print::Action_PrintPrilExecute() {
    const auto pages = reports::appendixLayouts(reports::appendixContent(host_.reading()));
    preview(pages[0], "QuickRep_GrfMQ");
    preview(pages[1], "QuickRep_GrfLR");
}

void TForm_Print::Action_PrintCiklExecute() {
    // A range field without a whole number is explained there and nothing is shown.
    const auto range = host_.frameRangeFields();
    if (!range) return;
    const reports::ReportLayout layout = reports::operationalLayout(reports::operationalContent(
        host_.reading(), range->first, range->last, host_.numberFormat()));
    preview(layout, "QuickRep_Cikl");
}

void TForm_Print::Action_PrintPerExecute() {
    const reports::ReportLayout layout =
        reports::overloadLayout(reports::overloadContent(host_.reading(), host_.numberFormat()));
    preview(layout, "QuickRep_Per");
}
