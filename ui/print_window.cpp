#include "ui/print_window.h"

TForm_Print::TForm_Print(QWidget* mainWindow) : QWidget(mainWindow, Qt::Window) {
    setObjectName("Form_Print");
    hide();
}
