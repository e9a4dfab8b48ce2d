#include "ui/windows/Logloaderror.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "ui/windows/window_placement.h"

namespace {
// Shown until the first data file is opened.
const char* const kPlaceholder = "Файлы данных ещё не открывались.";
}  // namespace

TForm_LogError::TForm_LogError(QWidget* mainWindow) : QDialog(mainWindow) {
    setObjectName("Form_LogError");
    setWindowTitle("Лог ошибок загрузки файла данных");
    resize(475, 460);

    Memo_LogError = new QPlainTextEdit(this);
    Memo_LogError->setObjectName("Memo_LogError");
    Memo_LogError->setReadOnly(true);
    Memo_LogError->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo_LogError->setPlainText(QString::fromUtf8(kPlaceholder));

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(Memo_LogError);
}

void TForm_LogError::setLines(const std::vector<std::string>& lines) {
    QStringList list;
    list.reserve(static_cast<qsizetype>(lines.size()));
    for (const std::string& line : lines) list << QString::fromStdString(line);
    // A blank window would leave the user wondering whether anything was checked.
    Memo_LogError->setPlainText(lines.empty() ? QStringLiteral("Ошибок не обнаружено")
                                              : list.join('\n'));
}

QString TForm_LogError::text() const {
    return Memo_LogError->toPlainText();
}

void TForm_LogError::showEvent(QShowEvent* event) {
    centreOnParent(this);
    QDialog::showEvent(event);
}
