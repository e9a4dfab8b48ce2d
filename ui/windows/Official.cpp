#include "ui/windows/Official.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "ui/windows/window_placement.h"

TForm_Official::TForm_Official(QWidget* mainWindow) : QWidget(mainWindow, Qt::Window) {
    setObjectName("Form_Official");
    setWindowTitle("Служебная информация");
    resize(696, 480);

    Memo_Official = new QPlainTextEdit(this);
    Memo_Official->setObjectName("Memo_Official");
    Memo_Official->setReadOnly(true);
    Memo_Official->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo_Official->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QPalette palette = Memo_Official->palette();
    palette.setColor(QPalette::Text, QColor(0, 0, 128));  // navy
    Memo_Official->setPalette(palette);
    // The report aligns its columns with tab characters; keep them at a fixed width.
    Memo_Official->setTabStopDistance(8 * Memo_Official->fontMetrics().horizontalAdvance(' '));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Memo_Official);
}

void TForm_Official::clearText() {
    Memo_Official->clear();
}

void TForm_Official::setReport(const std::string& report) {
    QString text = QString::fromStdString(report);
    text.replace("\r\n", "\n");
    Memo_Official->setPlainText(text);
}

QString TForm_Official::text() const {
    return Memo_Official->toPlainText();
}

void TForm_Official::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) centreOnParent(this);
    QWidget::showEvent(event);
}

void TForm_Official::keyPressEvent(QKeyEvent* event) {
    // The read-only text passes Esc on to its window; closing only hides it.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}
