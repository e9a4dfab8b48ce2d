#pragma once
// The print window: created at start-up beside the other windows and kept
// hidden. The printed reports fill it; until they exist it is an empty shell.

#include <QWidget>

class TForm_Print : public QWidget {
    Q_OBJECT

  public:
    explicit TForm_Print(QWidget* mainWindow);
};
