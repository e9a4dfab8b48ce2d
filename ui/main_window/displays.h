#pragma once
// The text displays and gauges of the main window. The pages create them here
// from the core's display table (recorder/display_table.h); loading a reading
// writes the core's finished texts into them by the same names.

#include <QColor>
#include <QHash>
#include <QString>

namespace recorder {
struct Display;
}
class BandGauge;
class QLabel;
class QLineEdit;
class QWidget;

class Displays {
  public:
    // A read-only edit box or a value label (bold navy like the edit texts), as
    // the table gives the display's kind, with the display's name as object name.
    QWidget* addText(const recorder::Display& display, QWidget* parent);
    QLineEdit* addEdit(const recorder::Display& display, QWidget* parent);
    BandGauge* addGauge(const recorder::Display& display, const QColor& colour, QWidget* parent);

    // A name without a widget is a programming error: it asserts in a debug
    // build and is logged as critical otherwise; the call then returns false.
    bool setText(const QString& name, const QString& text);
    bool setGauge(const QString& name, int value);
    // The widget that shows the display of that name, or null.
    QWidget* widget(const QString& name) const;
    QString text(const QString& name) const;

    int textCount() const { return static_cast<int>(edits_.size() + labels_.size()); }

  private:
    QLabel* addLabel(const recorder::Display& display, QWidget* parent);
    static void reportMissing(const QString& name);

    QHash<QString, QLineEdit*> edits_;
    QHash<QString, QLabel*> labels_;
    QHash<QString, BandGauge*> gauges_;
};
