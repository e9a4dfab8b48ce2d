#include "dialogs/user_dialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHeaderView>
#include <QMessageBox>
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

void QtUserDialogs::runModal(QDialog& dialog) {
    dialog.exec();
}

void QtUserDialogs::openDocument(const QString& path) {
    // openUrl reports false when no application takes the file; there is
    // nothing more to do then.
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
