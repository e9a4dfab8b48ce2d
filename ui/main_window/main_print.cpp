// The main window's "Печать" commands: each runs an action of the print window.

#include <QAction>

#include "ui/main_window/Tirs48c_litm3_main.h"
#include "ui/windows/print_window.h"

void TForm_TIRS48CMain::M_IKClick() {
    if (!print_) return;
    // The card prints the counters as totals: differences a form left on show
    // give way to the loaded totals first.
    showTotalsAgain();
    // The card first, then its appendix of graphs.
    print_->Action_PrintInfCart->trigger();
    print_->Action_PrintPril1->trigger();
}

void TForm_TIRS48CMain::M_OperClick() {
    if (print_) print_->Action_PrintCikl->trigger();
}

void TForm_TIRS48CMain::M_PerClick() {
    if (print_) print_->Action_PrintPer->trigger();
}
