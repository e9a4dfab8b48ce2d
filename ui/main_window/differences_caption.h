#pragma once
// The line "Разности между считываниями …" that says the counters on show are
// the differences a form 1 or 2 left, not the reading's totals: above the
// pages of "Основная информация" and at the right of the status bar, shown
// after such a form and hidden when the totals are back.

#include <QString>

class QBoxLayout;
class QLabel;
class QStatusBar;
class QWidget;

class DifferencesCaption {
  public:
    // `page` is the main page whose layout takes the line on top.
    DifferencesCaption(QWidget& page, QStatusBar& statusBar);

    void show(const QString& text);
    void hide();
    bool isShown() const;

  private:
    QLabel* onPage_;
    QLabel* inStatusBar_;
};
