#include "start_directory.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryFile>

#include "dialogs/user_dialogs.h"
#include "forms/create_form.h"

namespace {

constexpr const char* kUnwritableKey = "startDirectory/unwritable";
constexpr const char* kInsteadKey = "startDirectory/instead";

// Writable means a file can be made there: the folder's attributes alone do not
// tell (access lists on Windows, a read-only mount).
bool canWriteIn(const QString& folder) {
    if (!QFileInfo(folder).isDir()) return false;
    QTemporaryFile probe(folder + "/.tirs48-probe-XXXXXX");
    return probe.open();
}

QString documentsFolder() {
    return QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation))
        .filePath(QString::fromUtf8("ТИРС-48С"));
}

}  // namespace

QString settleStartDirectory(UserDialogs& dialogs, const QString& current) {
    if (canWriteIn(current)) return current;
    QSettings settings;
    const QString remembered = settings.value(kInsteadKey).toString();
    if (settings.value(kUnwritableKey).toString() == current && !remembered.isEmpty() &&
        QDir().mkpath(remembered) && canWriteIn(remembered))
        return remembered;

    const QString instead = documentsFolder();
    const QString question =
        QString::fromUtf8(
            "В папку запуска программы\n%1\nнельзя записывать: в ней не сохранить "
            "считывания и формы.\n\nРаботать в папке документов\n%2?")
            .arg(QDir::toNativeSeparators(current), QDir::toNativeSeparators(instead));
    if (!dialogs.askYesNo(nullptr, QString::fromUtf8("Папка запуска"), question)) return current;
    if (!QDir().mkpath(instead) || !canWriteIn(instead)) {
        dialogs.showError(nullptr, QString::fromUtf8("Не удалось создать папку %1.")
                                       .arg(QDir::toNativeSeparators(instead)));
        return current;
    }
    settings.setValue(kUnwritableKey, current);
    settings.setValue(kInsteadKey, instead);
    return instead;
}

void provideReadyTemplates(const QString& startDirectory) {
    const QDir start(startDirectory);
    const QString folder = QString::fromUtf8(forms::kTemplateFolder);
    if (start.exists(folder) || !start.mkdir(folder)) return;
    QDirIterator templates(QStringLiteral(":/ready-templates"));
    while (templates.hasNext()) {
        const QString from = templates.next();
        const QString to = start.filePath(folder + "/" + templates.fileName());
        // The copy takes the resource's read-only mark; the user may edit it.
        if (QFile::copy(from, to))
            QFile::setPermissions(to, QFile::permissions(to) | QFileDevice::WriteOwner);
    }
}
