#include "ui/windows/print_window.h"

#include <QAction>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "dialogs/user_dialogs.h"
#include "reports/report_content.h"
#include "reports/report_layouts.h"
#include "ui/main_window/Tirs48c_litm3_main.h"
#include "ui/views/record_view.h"

namespace {

QAction* action(QWidget* owner, const char* name, void (TForm_Print::*handler)()) {
    auto* a = new QAction(owner);
    a->setObjectName(name);
    QObject::connect(a, &QAction::triggered, static_cast<TForm_Print*>(owner), handler);
    return a;
}

}  // namespace

TForm_Print::TForm_Print(TForm_TIRS48CMain* mainWindow, UserDialogs& dialogs)
    : QWidget(mainWindow, Qt::Window), main_(mainWindow), dialogs_(dialogs) {
    setObjectName("Form_Print");
    setWindowTitle(QString::fromUtf8("Форма для печати"));
    Action_PrintInfCart =
        action(this, "Action_PrintInfCart", &TForm_Print::Action_PrintInfCartExecute);
    Action_PrintPril1 = action(this, "Action_PrintPril1", &TForm_Print::Action_PrintPrilExecute);
    Action_PrintCikl = action(this, "Action_PrintCikl", &TForm_Print::Action_PrintCiklExecute);
    Action_PrintPer = action(this, "Action_PrintPer", &TForm_Print::Action_PrintPerExecute);
    hide();
}

void TForm_Print::preview(const reports::ReportLayout& layout, const char* name,
                          reports::ReportKind kind) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QString::fromStdString(reports::reportTitle(kind, main_->reading())));
    printer.setCreator(QStringLiteral("ТИРС-48"));
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(layout.orientation);
    QPrintPreviewDialog dialog(&printer, main_);
    dialog.setObjectName(name);
    dialog.setWindowTitle(QString::fromUtf8("Предварительный просмотр"));
    connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
            [&layout](QPrinter* device) { reports::render({&layout}, *device); });
    dialogs_.runModal(dialog);
}

void TForm_Print::Action_PrintInfCartExecute() {
    const reports::CardLayout card = reports::cardLayout(reports::cardContent(main_->reading()));
    preview(card.layout, "QuickRep_Main", reports::ReportKind::Card);
}

void TForm_Print::Action_PrintPrilExecute() {
    const auto pages = reports::appendixLayouts(reports::appendixContent(main_->reading()));
    preview(pages[0], "QuickRep_GrfMQ", reports::ReportKind::Appendix);
    preview(pages[1], "QuickRep_GrfLR", reports::ReportKind::Appendix);
}

void TForm_Print::Action_PrintCiklExecute() {
    // The range fields of the frame view, read as the view reads them: a field
    // without a whole number is explained there and nothing is shown.
    RecordView* view = main_->frameView();
    const auto first = view->integerIn(view->firstEdit, QString::fromUtf8("с"));
    if (!first) return;
    const auto last = view->integerIn(view->lastEdit, QString::fromUtf8("по"));
    if (!last) return;
    const reports::ReportLayout layout = reports::operationalLayout(
        reports::operationalContent(main_->reading(), *first, *last, main_->numberFormat()));
    preview(layout, "QuickRep_Cikl", reports::ReportKind::Frames);
}

void TForm_Print::Action_PrintPerExecute() {
    const reports::ReportLayout layout =
        reports::overloadLayout(reports::overloadContent(main_->reading(), main_->numberFormat()));
    preview(layout, "QuickRep_Per", reports::ReportKind::Overloads);
}
