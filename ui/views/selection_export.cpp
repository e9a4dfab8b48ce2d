#include "ui/views/selection_export.h"

#include <QDir>
#include <QFile>

#include "base/utf8_path.h"
#include "dialogs/user_dialogs.h"
#include "fileio/safe_write.h"
#include "recorder/record_xlsx.h"
#include "ui/views/record_view.h"

void saveSelection(const RecordView& view, SelectionFile kind, const QString& directory,
                   UserDialogs& dialogs, QWidget* parent) {
    const bool frames = view.state().kind() == recorder::ViewKind::Frames;
    const bool csv = kind == SelectionFile::Csv;
    SaveFileQuestion question;
    question.objectName = csv ? QStringLiteral("SaveDialog_SelectionCsv")
                              : QStringLiteral("SaveDialog_SelectionXlsx");
    question.title =
        QString::fromUtf8(csv ? "Сохранить выборку как CSV" : "Сохранить выборку как Excel");
    question.directory = directory;
    question.proposedName =
        QString::fromUtf8(frames ? "Кадры" : "Перегрузки") + (csv ? ".csv" : ".xlsx");
    question.filter = QString::fromUtf8(csv ? "Таблицы CSV (*.csv)" : "Книги Excel (*.xlsx)");
    question.defaultSuffix = csv ? QStringLiteral("csv") : QStringLiteral("xlsx");
    const QString path = dialogs.getSaveFileName(parent, question);
    if (path.isEmpty()) return;

    const std::filesystem::path target = base::pathFromUtf8(path.toStdString());
    const fileio::WriteResult written =
        csv ? fileio::writeFileSafely(target, view.selectionCsv())
            : recorder::writeSheetXlsx(target, view.selectionSheet());
    if (!written.ok)
        dialogs.showError(parent, QString::fromStdString(written.message) + "\n" +
                                      QDir::toNativeSeparators(path));
}
