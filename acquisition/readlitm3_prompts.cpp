#include "acquisition/readlitm3_prompts.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

QString DialogPrompts::askSaveFileName(QWidget* parent, const QString& folder,
                                       const QString& proposedName) {
    QFileDialog dialog(parent);
    dialog.setObjectName("SaveDialog_FileLITM");
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QStringLiteral("Файлы РП ТИРС-48С (*.litm)"));
    dialog.setDefaultSuffix(QStringLiteral("litm"));
    dialog.setDirectory(folder);
    dialog.selectFile(QDir(folder).filePath(proposedName + QStringLiteral(".litm")));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
}

bool DialogPrompts::askSaveUnsaved(QWidget* parent) {
    return QMessageBox::warning(parent, QStringLiteral("Предупреждение"),
                                QStringLiteral("Файл с информацией не сохранен! \nСохранить?"),
                                QMessageBox::Ok | QMessageBox::Cancel,
                                QMessageBox::Ok) == QMessageBox::Ok;
}

void DialogPrompts::showSaveError(QWidget* parent, const QString& message) {
    QMessageBox::critical(parent, QStringLiteral("Ошибка"), message, QMessageBox::Ok);
}
