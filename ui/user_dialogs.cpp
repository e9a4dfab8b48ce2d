#include "ui/user_dialogs.h"

#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>
#include <QUrl>

QString QtUserDialogs::getOpenFileName(QWidget* parent, const QString& title,
                                       const QString& directory, const QString& filter,
                                       const QString& selectedFilter) {
    QString selected = selectedFilter;
    return QFileDialog::getOpenFileName(parent, title, directory, filter, &selected);
}

void QtUserDialogs::showError(QWidget* parent, const QString& text) {
    QMessageBox::critical(parent, boxTitle_, text, QMessageBox::Ok);
}

void QtUserDialogs::showInformation(QWidget* parent, const QString& text) {
    QMessageBox::information(parent, boxTitle_, text, QMessageBox::Ok);
}

void QtUserDialogs::runModal(QDialog& dialog) {
    dialog.exec();
}

void QtUserDialogs::openDocument(const QString& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}
