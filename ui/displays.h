#pragma once
// The text displays and gauges of the main window, by display name. The pages
// create them here; loading a reading writes the core's finished texts into
// them by the same names.

#include <QColor>
#include <QHash>
#include <QString>

class BandGauge;
class QLabel;
class QLineEdit;
class QWidget;

class Displays {
  public:
    // A read-only edit box named `name`.
    QLineEdit* addEdit(const QString& name, QWidget* parent);
    // A value label named `name`, bold navy like the edit texts.
    QLabel* addLabel(const QString& name, QWidget* parent);
    BandGauge* addGauge(const QString& name, const QColor& colour, QWidget* parent);

    // False when no display carries the name.
    bool setText(const QString& name, const QString& text);
    bool setGauge(const QString& name, int value);
    QString text(const QString& name) const;

    int textCount() const { return static_cast<int>(edits_.size() + labels_.size()); }

  private:
    QHash<QString, QLineEdit*> edits_;
    QHash<QString, QLabel*> labels_;
    QHash<QString, BandGauge*> gauges_;
};
