#include "dialogs/user_dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QSpacerItem>
#include <QTreeView>
#include <QUrl>

namespace {

// Qt's own file dialog at a size where the name, size, type and date columns
// show whole; the desktop's dialog, where there is one, sizes itself.
constexpr QSize kFileDialogSize(760, 460);

}  // namespace

void sizeFileDialog(QFileDialog& dialog) {
    dialog.setViewMode(QFileDialog::Detail);
    dialog.resize(kFileDialogSize);
    if (auto* details = dialog.findChild<QTreeView*>("treeView")) {
        QHeaderView* header = details->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int c = 1; c < header->count(); ++c)
            header->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    }
}

namespace {

// A message box at least as wide as its caption, so the window manager does
// not cut the caption short: a box takes the width of its text and buttons only.
int runBox(QWidget* parent, QMessageBox::Icon icon, const QString& title, const QString& text,
           QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton) {
    QMessageBox box(icon, title, text, buttons, parent);
    box.setObjectName("MessageBox");
    if (defaultButton != QMessageBox::NoButton) box.setDefaultButton(defaultButton);
    QFont captionFont = QApplication::font("QMdiSubWindowTitleBar");
    captionFont.setBold(true);
    // Room for the caption, the window manager's buttons and its margins.
    const int wanted = QFontMetrics(captionFont).horizontalAdvance(title) + 140;
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout()))
        grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                      grid->rowCount(), 0, 1, grid->columnCount());
    return box.exec();
}

}  // namespace

QString QtUserDialogs::getOpenFileName(QWidget* parent, const QString& title,
                                       const QString& directory, const QString& filter,
                                       const QString& selectedFilter) {
    QFileDialog dialog(parent, title, directory, filter);
    dialog.setObjectName("OpenDialog_Main");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (!selectedFilter.isEmpty()) dialog.selectNameFilter(selectedFilter);
    sizeFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

QString QtUserDialogs::getSaveFileName(QWidget* parent, const SaveFileQuestion& question) {
    QFileDialog dialog(parent);
    dialog.setObjectName(question.objectName);
    if (!question.title.isEmpty()) dialog.setWindowTitle(question.title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(question.filter);
    dialog.setDefaultSuffix(question.defaultSuffix);
    dialog.setDirectory(question.directory);
    dialog.selectFile(QDir(question.directory).filePath(question.proposedName));
    sizeFileDialog(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

void QtUserDialogs::showError(QWidget* parent, const QString& text, const QString& title) {
    runBox(parent, QMessageBox::Critical, caption(title), text, QMessageBox::Ok, QMessageBox::Ok);
}

void QtUserDialogs::showInformation(QWidget* parent, const QString& text, const QString& title) {
    runBox(parent, QMessageBox::Information, caption(title), text, QMessageBox::Ok,
           QMessageBox::Ok);
}

bool QtUserDialogs::askOkCancel(QWidget* parent, const QString& title, const QString& text) {
    return runBox(parent, QMessageBox::Warning, caption(title), text,
                  QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) == QMessageBox::Ok;
}

bool QtUserDialogs::askYesNo(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Question, caption(title), text, QMessageBox::NoButton, parent);
    box.setObjectName("QuestionBox");
    QPushButton* yes = box.addButton(QStringLiteral("Да"), QMessageBox::YesRole);
    QPushButton* no = box.addButton(QStringLiteral("Нет"), QMessageBox::NoRole);
    box.setDefaultButton(yes);
    box.setEscapeButton(no);
    box.exec();
    return box.clickedButton() == yes;
}

SaveChoice QtUserDialogs::askSaveDiscardCancel(QWidget* parent, const QString& title,
                                               const QString& text) {
    QMessageBox box(QMessageBox::Warning, caption(title), text, QMessageBox::NoButton, parent);
    box.setObjectName("SaveQuestionBox");
    QPushButton* save = box.addButton(QStringLiteral("Сохранить"), QMessageBox::AcceptRole);
    QPushButton* discard =
        box.addButton(QStringLiteral("Не сохранять"), QMessageBox::DestructiveRole);
    QPushButton* cancel = box.addButton(QStringLiteral("Отмена"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    // Esc and the title bar's close button both give the escape button.
    box.setEscapeButton(cancel);
    box.exec();
    if (box.clickedButton() == save) return SaveChoice::Save;
    if (box.clickedButton() == discard) return SaveChoice::Discard;
    return SaveChoice::Cancel;
}

void QtUserDialogs::runModal(QDialog& dialog) {
    dialog.exec();
}

bool QtUserDialogs::openOnDesktop(const QUrl& url) const {
    return opener_ ? opener_(url) : QDesktopServices::openUrl(url);
}

void QtUserDialogs::openDocument(const QString& path) {
    if (openOnDesktop(QUrl::fromLocalFile(path))) return;
    // No application takes the file: the user must know where it is to open it otherwise.
    const QFileInfo file(path);
    const QString text = QStringLiteral(
                             "Не удалось открыть файл\n%1\n\nНа этом компьютере нет программы, "
                             "открывающей файлы «.%2». Файл записан; откройте его вручную.")
                             .arg(QDir::toNativeSeparators(file.absoluteFilePath()), file.suffix());
    QMessageBox box(QMessageBox::Warning, boxTitle_, text, QMessageBox::NoButton, nullptr);
    box.setObjectName("CannotOpenDocumentBox");
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    QPushButton* folder = box.addButton(QStringLiteral("Открыть папку"), QMessageBox::ActionRole);
    QPushButton* ok = box.addButton(QMessageBox::Ok);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    if (box.clickedButton() == folder && !openOnDesktop(QUrl::fromLocalFile(file.absolutePath())))
        showError(nullptr, QStringLiteral("Не удалось открыть папку\n%1")
                               .arg(QDir::toNativeSeparators(file.absolutePath())));
}
