#include "ui/main_window/differences_caption.h"

#include <QBoxLayout>
#include <QLabel>
#include <QStatusBar>

namespace {

QLabel* captionLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setStyleSheet(QStringLiteral("QLabel { color: #a00000; font-weight: bold; }"));
    label->hide();
    return label;
}

}  // namespace

DifferencesCaption::DifferencesCaption(QWidget& page, QStatusBar& statusBar)
    : onPage_(captionLabel(&page, "Label_Differences")),
      inStatusBar_(captionLabel(&statusBar, "StatusBar_Differences")) {
    onPage_->setContentsMargins(8, 4, 8, 4);
    if (auto* layout = qobject_cast<QBoxLayout*>(page.layout())) layout->insertWidget(0, onPage_);
    statusBar.addPermanentWidget(inStatusBar_);
}

void DifferencesCaption::show(const QString& text) {
    for (QLabel* label : {onPage_, inStatusBar_}) {
        label->setText(text);
        label->show();
    }
}

void DifferencesCaption::hide() {
    onPage_->hide();
    inStatusBar_->hide();
}

bool DifferencesCaption::isShown() const {
    return !onPage_->isHidden();
}
