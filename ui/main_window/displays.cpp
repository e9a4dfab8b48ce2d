#include "ui/main_window/displays.h"

#include <QEvent>
#include <QHelpEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolTip>
#include <QtGlobal>

#include "recorder/display_table.h"
#include "ui/main_window/band_gauge.h"

namespace {

// A text wider than its box is shown whole as the box's tooltip; whether it
// fits is decided when the tooltip is asked for, at the box's width then.
class WholeTextTip : public QObject {
  public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* edit = qobject_cast<QLineEdit*>(watched);
        if (!edit || event->type() != QEvent::ToolTip) return QObject::eventFilter(watched, event);
        if (fitsIn(*edit)) {
            QToolTip::hideText();
        } else {
            QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), edit->text(), edit);
        }
        return true;
    }
    static bool fitsIn(const QLineEdit& edit) {
        QStyleOptionFrame option;
        option.initFrom(&edit);
        const QRect inside =
            edit.style()->subElementRect(QStyle::SE_LineEditContents, &option, &edit);
        return edit.fontMetrics().horizontalAdvance(edit.text()) <= inside.width() - 4;
    }
};

}  // namespace

QWidget* Displays::addText(const recorder::Display& display, QWidget* parent) {
    if (display.kind == recorder::DisplayKind::Label) return addLabel(display, parent);
    return addEdit(display, parent);
}

QLineEdit* Displays::addEdit(const recorder::Display& display, QWidget* parent) {
    Q_ASSERT(display.kind == recorder::DisplayKind::Edit);
    const QString name = QString::fromUtf8(display.name.data(), display.name.size());
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    // Compact rows: the identification page holds some forty displays.
    edit->setFixedHeight(edit->fontMetrics().height() + 6);
    edit->installEventFilter(new WholeTextTip(edit));
    edits_.insert(name, edit);
    return edit;
}

QLabel* Displays::addLabel(const recorder::Display& display, QWidget* parent) {
    const QString name = QString::fromUtf8(display.name.data(), display.name.size());
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0, 0, 128));
    label->setPalette(palette);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    label->setMinimumHeight(label->fontMetrics().height() + 6);  // rows as high as the edits
    labels_.insert(name, label);
    return label;
}

BandGauge* Displays::addGauge(const recorder::Display& display, const QColor& colour,
                              QWidget* parent) {
    Q_ASSERT(display.kind == recorder::DisplayKind::Gauge);
    const QString name = QString::fromUtf8(display.name.data(), display.name.size());
    auto* gauge = new BandGauge(colour, parent);
    gauge->setObjectName(name);
    gauges_.insert(name, gauge);
    return gauge;
}

bool Displays::setText(const QString& name, const QString& text) {
    if (QLineEdit* edit = edits_.value(name)) {
        edit->setText(text);
        edit->setCursorPosition(0);  // long texts show their beginning
        return true;
    }
    if (QLabel* label = labels_.value(name)) {
        label->setText(text);
        return true;
    }
    reportMissing(name);
    return false;
}

bool Displays::setGauge(const QString& name, int value) {
    BandGauge* gauge = gauges_.value(name);
    if (!gauge) {
        reportMissing(name);
        return false;
    }
    gauge->setProgress(value);
    return true;
}

QWidget* Displays::widget(const QString& name) const {
    if (QLineEdit* edit = edits_.value(name)) return edit;
    if (QLabel* label = labels_.value(name)) return label;
    return gauges_.value(name);
}

void Displays::reportMissing(const QString& name) {
    qCritical("The window has no display named \"%s\"", qUtf8Printable(name));
    Q_ASSERT_X(false, "Displays", "a display of the table has no widget");
}

QString Displays::text(const QString& name) const {
    if (const QLineEdit* edit = edits_.value(name)) return edit->text();
    if (const QLabel* label = labels_.value(name)) return label->text();
    return {};
}
