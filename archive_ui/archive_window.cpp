#include "archive_ui/archive_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "archive_ui/archived_form.h"
#include "archive_ui/fleet_table_model.h"
#include "archive_ui/history_chart.h"
#include "dialogs/user_dialogs.h"
#include "ui/charts/plot_widget.h"

namespace {

QTableWidgetItem* cell(const QString& text, bool number = false) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    if (number) item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return item;
}

}  // namespace

ArchiveWindow::ArchiveWindow(UserDialogs& dialogs, const archive::DatabaseLocation& location,
                             QWidget* parent)
    : QWidget(parent, Qt::Window), dialogs_(dialogs), startDirectory_(QDir::currentPath()) {
    setObjectName(QStringLiteral("Form_Archive"));
    setWindowTitle(QStringLiteral("Архив считываний — %1").arg(location.displayName()));
    resize(1000, 700);

    filter_ = new QLineEdit;
    filter_->setObjectName(QStringLiteral("Edit_ArchiveFilter"));
    filter_->setPlaceholderText(QStringLiteral("Фильтр: владелец или кран"));
    filter_->setClearButtonEnabled(true);
    auto* reload = new QPushButton(QStringLiteral("Обновить"));
    reload->setObjectName(QStringLiteral("Button_ArchiveRefresh"));
    auto* top = new QHBoxLayout;
    top->addWidget(filter_, 1);
    top->addWidget(reload);

    chart_ = new PlotWidget;
    chart_->setObjectName(QStringLiteral("Chart_History"));
    chart_->setLegendVisible(true);

    auto* lower = new QSplitter(Qt::Horizontal);
    lower->addWidget(buildHistoryPane());
    lower->addWidget(chart_);
    lower->setSizes({450, 550});
    auto* split = new QSplitter(Qt::Vertical);
    split->addWidget(buildFleetView());
    split->addWidget(lower);
    split->setSizes({330, 370});

    status_ = new QLabel;
    status_->setObjectName(QStringLiteral("Label_ArchiveStatus"));
    status_->setWordWrap(true);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(split, 1);
    layout->addWidget(status_);

    connect(filter_, &QLineEdit::textChanged, proxy_, &QSortFilterProxyModel::setFilterFixedString);
    connect(reload, &QPushButton::clicked, this, &ArchiveWindow::refresh);
    connect(fleetView_->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this] { showCurrentLimiter(); });

    QString error;
    // The window only reads: an archive this user may not write is shown all the same.
    open_ = archive_.open(location, error, archive::OpenOptions{.onlyReads = true});
    if (!open_) {
        status_->setText(error);
        return;
    }
    refresh();
}

QTableView* ArchiveWindow::buildFleetView() {
    model_ = new FleetTableModel(this);
    proxy_ = new QSortFilterProxyModel(this);
    proxy_->setSourceModel(model_);
    proxy_->setSortRole(FleetTableModel::kSortRole);
    proxy_->setFilterRole(FleetTableModel::kFilterRole);
    proxy_->setFilterKeyColumn(0);
    proxy_->setFilterCaseSensitivity(Qt::CaseInsensitive);
    fleetView_ = new QTableView;
    fleetView_->setObjectName(QStringLiteral("Grid_Fleet"));
    fleetView_->setModel(proxy_);
    fleetView_->setSortingEnabled(true);
    fleetView_->sortByColumn(FleetTableModel::Serial, Qt::AscendingOrder);
    fleetView_->setSelectionBehavior(QAbstractItemView::SelectRows);
    fleetView_->setSelectionMode(QAbstractItemView::SingleSelection);
    fleetView_->verticalHeader()->hide();
    fleetView_->horizontalHeader()->setStretchLastSection(true);
    return fleetView_;
}

QWidget* ArchiveWindow::buildHistoryPane() {
    history_ = new QTableWidget(0, 8);
    history_->setObjectName(QStringLiteral("Grid_History"));
    history_->setHorizontalHeaderLabels({QStringLiteral("№"), QStringLiteral("Дата считывания"),
                                         QStringLiteral("Хар. число"), QStringLiteral("Группа"),
                                         QStringLiteral("Циклов"), QStringLiteral("Моточасы"),
                                         QStringLiteral("Проверки"), QStringLiteral("Файл")});
    history_->setSelectionBehavior(QAbstractItemView::SelectRows);
    history_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    history_->verticalHeader()->hide();
    history_->horizontalHeader()->setStretchLastSection(true);
    history_->setToolTip(
        QStringLiteral("Двойной щелчок открывает считывание; два выбранных (Ctrl+щелчок) — "
                       "для формы 1 или 2"));
    history_->setContextMenuPolicy(Qt::CustomContextMenu);

    // Forms 1 and 2 from two chosen readings: the earlier is the previous one.
    auto* formsLabel = new QLabel(QStringLiteral("По двум выбранным считываниям:"));
    auto* form1 = new QPushButton(QStringLiteral("Форма 1"));
    form1->setObjectName(QStringLiteral("Button_ArchiveForm1"));
    auto* form2 = new QPushButton(QStringLiteral("Форма 2"));
    form2->setObjectName(QStringLiteral("Button_ArchiveForm2"));
    for (QPushButton* b : {form1, form2})
        b->setToolTip(QStringLiteral("Раннее считывание — предыдущее, позднее — текущее"));
    auto* formRow = new QHBoxLayout;
    formRow->addWidget(formsLabel);
    formRow->addWidget(form1);
    formRow->addWidget(form2);
    formRow->addStretch(1);
    auto* historyPane = new QWidget;
    auto* historyLayout = new QVBoxLayout(historyPane);
    historyLayout->setContentsMargins(0, 0, 0, 0);
    historyLayout->addWidget(history_, 1);
    historyLayout->addLayout(formRow);

    connect(history_, &QTableWidget::cellDoubleClicked, this, [this](int row, int) {
        if (row >= 0 && row < static_cast<int>(shown_.size()))
            openReading(shown_[static_cast<std::size_t>(row)].id);
    });
    connect(form1, &QPushButton::clicked, this, [this] { createForm(1); });
    connect(form2, &QPushButton::clicked, this, [this] { createForm(2); });
    connect(history_, &QWidget::customContextMenuRequested, this, &ArchiveWindow::showHistoryMenu);
    return historyPane;
}

void ArchiveWindow::showHistoryMenu(const QPoint& at) {
    const int row = history_->rowAt(at.y());
    QMenu menu(this);
    QAction* open = menu.addAction(QStringLiteral("Открыть"));
    open->setEnabled(row >= 0);
    menu.addSeparator();
    QAction* f1 = menu.addAction(QStringLiteral("Форма 1 по двум выбранным"));
    QAction* f2 = menu.addAction(QStringLiteral("Форма 2 по двум выбранным"));
    QAction* chosen = menu.exec(history_->viewport()->mapToGlobal(at));
    if (chosen == open && row < static_cast<int>(shown_.size()))
        openReading(shown_[static_cast<std::size_t>(row)].id);
    else if (chosen == f1)
        createForm(1);
    else if (chosen == f2)
        createForm(2);
}

ArchiveWindow::~ArchiveWindow() = default;

bool ArchiveWindow::isArchiveOpen() const {
    return open_;
}

void ArchiveWindow::reportFailure(const QString& message) {
    status_->setText(message);
    dialogs_.showError(this, message);
}

bool ArchiveWindow::refresh() {
    if (!open_) return false;
    QString error;
    auto fleet = archive_.fleet(error);
    if (!fleet) {
        reportFailure(error);
        return false;
    }
    const QString current =
        fleetView_->currentIndex().isValid()
            ? proxy_->data(proxy_->index(fleetView_->currentIndex().row(), FleetTableModel::Serial))
                  .toString()
            : QString();
    int readings = 0;
    for (const auto& e : *fleet) readings += e.readings;
    status_->setText(QStringLiteral("%1: ограничителей %2, считываний %3")
                         .arg(archive_.name())
                         .arg(fleet->size())
                         .arg(readings));
    model_->setFleet(std::move(*fleet));
    fleetView_->resizeColumnsToContents();
    if (!current.isEmpty()) selectLimiter(current);
    return true;
}

void ArchiveWindow::selectLimiter(const QString& serial) {
    for (int row = 0; row < proxy_->rowCount(); ++row) {
        if (proxy_->data(proxy_->index(row, FleetTableModel::Serial)).toString() == serial) {
            fleetView_->selectRow(row);
            fleetView_->setCurrentIndex(proxy_->index(row, 0));
            showCurrentLimiter();
            return;
        }
    }
}

void ArchiveWindow::showCurrentLimiter() {
    const QModelIndex current = fleetView_->currentIndex();
    if (!current.isValid()) return;
    const archive::FleetEntry& entry = model_->entry(proxy_->mapToSource(current).row());
    QString error;
    auto readings = archive_.history(entry.latest.limiterSerial, error);
    if (!readings) {
        reportFailure(error);
        return;
    }
    shown_ = std::move(*readings);
    const QLocale locale;
    history_->setRowCount(static_cast<int>(shown_.size()));
    for (int row = 0; row < static_cast<int>(shown_.size()); ++row) {
        const archive::ArchivedReading& r = shown_[static_cast<std::size_t>(row)];
        history_->setItem(row, 0, cell(QString::number(r.id), true));
        history_->setItem(row, 1, cell(r.readingDateText));
        history_->setItem(row, 2,
                          cell(locale.toString(r.counters.CharacteristicNumber, 'f', 2), true));
        history_->setItem(row, 3, cell(QStringLiteral("A%1").arg(r.currentGroup)));
        history_->setItem(row, 4, cell(QString::number(r.counters.TotalCycles), true));
        history_->setItem(
            row, 5,
            cell(locale.toString(static_cast<double>(r.counters.MotorMinutes) / 60.0, 'f', 1),
                 true));
        history_->setItem(row, 6,
                          cell(r.damaged ? QStringLiteral("ошибки: %1").arg(r.loadErrors.size())
                                         : QStringLiteral("норма")));
        if (r.damaged) history_->item(row, 6)->setToolTip(r.loadErrors.join(QLatin1Char('\n')));
        history_->setItem(row, 7, cell(r.sourceName));
    }
    history_->resizeColumnsToContents();
    fillHistoryChart(*chart_, shown_, entry.life);
}

void ArchiveWindow::openReading(qint64 id) {
    QString error;
    const auto bytes = archive_.fileBytes(id, error);
    if (!bytes) {
        reportFailure(error);
        return;
    }
    QString name = QStringLiteral("%1.litm").arg(id);
    for (const auto& r : shown_)
        if (r.id == id && !r.sourceName.isEmpty())
            name = QStringLiteral("%1-%2").arg(id).arg(r.sourceName);
    const QString path = opened_.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(*bytes) != bytes->size() || !file.flush()) {
        reportFailure(QStringLiteral("Не удаётся записать файл считывания %1: %2")
                          .arg(path, file.errorString()));
        return;
    }
    file.close();
    emit openReadingRequested(path);
}

void ArchiveWindow::setFormSource(const QString& startDirectory, recorder::NumberFormat format) {
    startDirectory_ = startDirectory;
    format_ = format;
}

std::vector<archive::ArchivedReading> ArchiveWindow::chosenReadings() const {
    std::vector<int> rows;
    for (const QModelIndex& index : history_->selectionModel()->selectedRows())
        if (index.row() < static_cast<int>(shown_.size())) rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    std::vector<archive::ArchivedReading> chosen;
    for (int row : rows) chosen.push_back(shown_[static_cast<std::size_t>(row)]);
    return chosen;
}

QString ArchiveWindow::createForm(int form) {
    if (!open_) {
        reportFailure(status_->text());
        return {};
    }
    const std::vector<archive::ArchivedReading> chosen = chosenReadings();
    if (chosen.size() != 2) {
        dialogs_.showInformation(
            this, QStringLiteral("Для формы %1 выберите в истории ограничителя два считывания "
                                 "(Ctrl+щелчок): раннее будет предыдущим, позднее — текущим.")
                      .arg(form));
        return {};
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const ArchivedFormResult made =
        createArchivedForm(archive_, form, chosen[0], chosen[1], startDirectory_, format_);
    QApplication::restoreOverrideCursor();
    if (made.report.isEmpty()) {
        dialogs_.showError(this, made.error);
        return {};
    }
    status_->setText(QStringLiteral("Форма %1 записана: %2").arg(form).arg(made.report));
    dialogs_.openDocument(made.report);
    return made.report;
}
