#pragma once
// The main window's "Печать" commands: each runs an action of the print
// window, which is created after the main window and attached to this.

#include <QObject>

class TForm_Print;

class PrintCommands : public QObject {
    Q_OBJECT

  public:
    explicit PrintCommands(QObject* parent) : QObject(parent) {}
    void attachPrintWindow(TForm_Print* print) { print_ = print; }

  public slots:
    // The card and then its appendix; the operational information; the overloads.
    void M_IKClick();
    void M_OperClick();
    void M_PerClick();

  private:
    TForm_Print* print_ = nullptr;
};
