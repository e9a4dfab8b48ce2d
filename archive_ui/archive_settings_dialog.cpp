#include "archive_ui/archive_settings_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "archive/reading_archive.h"
#include "dialogs/user_dialogs.h"

namespace {

// What an empty address stands for: TIRS48_ARCHIVE when it is set, else the file.
QString emptyAddressMeaning() {
    QString error;
    const auto location = archive::parseDatabaseUrl(QString(), error);
    return location ? location->displayName() : archive::defaultArchivePath();
}

}  // namespace

ArchiveSettingsDialog::ArchiveSettingsDialog(UserDialogs& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {
    setObjectName(QStringLiteral("Form_ArchiveSettings"));
    setWindowTitle(QStringLiteral("Настройки архива"));
    const ArchiveSettings current = ArchiveSettings::load();

    url_ = new QLineEdit(current.url);
    url_->setObjectName(QStringLiteral("Edit_ArchiveUrl"));
    url_->setPlaceholderText(emptyAddressMeaning());
    url_->setClearButtonEnabled(true);
    url_->setMinimumWidth(460);
    check_ = new QPushButton(QStringLiteral("Проверить"));
    check_->setObjectName(QStringLiteral("Button_ArchiveCheck"));
    check_->setAutoDefault(false);
    auto* address = new QHBoxLayout;
    address->addWidget(url_, 1);
    address->addWidget(check_);

    auto* hint = new QLabel(
        QStringLiteral("Пусто — файл архива на этом компьютере.\n"
                       "Общий архив организации: postgresql://пользователь@сервер[:порт]/база\n"
                       "(пароль лучше хранить в ~/.pgpass, а не в адресе)."));
    hint->setObjectName(QStringLiteral("Label_ArchiveUrlHint"));
    hint->setEnabled(false);  // drawn in the muted colour of a hint

    addAfterReading_ =
        new QCheckBox(QStringLiteral("Добавлять в архив считывание, сохранённое после чтения"));
    addAfterReading_->setObjectName(QStringLiteral("CheckBox_AddAfterReading"));
    addAfterReading_->setChecked(current.addAfterReading);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("База данных:"), address);
    form->addRow(QString(), hint);
    form->addRow(QString(), addAfterReading_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addStretch(1);
    layout->addWidget(buttons);

    connect(check_, &QPushButton::clicked, this, [this] { checkDatabase(); });
    connect(buttons, &QDialogButtonBox::accepted, this, &ArchiveSettingsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

ArchiveSettings ArchiveSettingsDialog::settings() const {
    ArchiveSettings s;
    s.url = url_->text().trimmed();
    s.addAfterReading = addAfterReading_->isChecked();
    return s;
}

bool ArchiveSettingsDialog::checkDatabase() {
    QString error;
    const auto location = archive::parseDatabaseUrl(url_->text(), error);
    if (!location) {
        dialogs_.showError(this, QStringLiteral("Архив считываний: %1").arg(error));
        return false;
    }
    // A server that does not answer keeps this up to the connection timeout.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    archive::ReadingArchive store;
    const bool opened = store.open(*location, error);
    std::optional<std::vector<archive::FleetEntry>> fleet;
    if (opened) fleet = store.fleet(error);
    QApplication::restoreOverrideCursor();
    if (!fleet) {
        dialogs_.showError(this, error);
        return false;
    }
    int readings = 0;
    for (const auto& e : *fleet) readings += e.readings;
    dialogs_.showInformation(this, QStringLiteral("Архив считываний %1 открыт: ограничителей %2, "
                                                  "считываний %3.")
                                       .arg(store.name())
                                       .arg(fleet->size())
                                       .arg(readings));
    return true;
}

void ArchiveSettingsDialog::accept() {
    QString error;
    if (!archive::parseDatabaseUrl(url_->text(), error)) {
        dialogs_.showError(this, QStringLiteral("Архив считываний: %1").arg(error));
        return;
    }
    settings().save();
    QDialog::accept();
}
