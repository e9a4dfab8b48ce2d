#include "dialogs/user_dialogs.h"

#include <QDesktopServices>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

QString QtUserDialogs::getOpenFileName(QWidget* parent, const QString& title,
                                       const QString& directory, const QString& filter,
                                       const QString& selectedFilter) {
    QString selected = selectedFilter;
    return QFileDialog::getOpenFileName(parent, title, directory, filter, &selected);
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
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

void QtUserDialogs::showError(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox::critical(parent, caption(title), text, QMessageBox::Ok);
}

void QtUserDialogs::showInformation(QWidget* parent, const QString& text, const QString& title) {
    QMessageBox::information(parent, caption(title), text, QMessageBox::Ok);
}

bool QtUserDialogs::askOkCancel(QWidget* parent, const QString& title, const QString& text) {
    return QMessageBox::warning(parent, caption(title), text, QMessageBox::Ok | QMessageBox::Cancel,
                                QMessageBox::Ok) == QMessageBox::Ok;
}

void QtUserDialogs::runModal(QDialog& dialog) {
    dialog.exec();
}

void QtUserDialogs::openDocument(const QString& path) {
    // openUrl reports false when no application takes the file; there is
    // nothing more to do then.
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
