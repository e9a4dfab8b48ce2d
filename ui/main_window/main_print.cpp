#include "ui/main_window/main_print.h"

#include <QAction>

#include "ui/windows/print_window.h"

void PrintCommands::M_IKClick() {
    if (!print_) return;
    // The card first, then its appendix of graphs.
    print_->Action_PrintInfCart->trigger();
    print_->Action_PrintPril1->trigger();
}

void PrintCommands::M_OperClick() {
    if (print_) print_->Action_PrintCikl->trigger();
}

void PrintCommands::M_PerClick() {
    if (print_) print_->Action_PrintPer->trigger();
}
