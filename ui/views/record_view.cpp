#include "ui/views/record_view.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValidator>
#include <QWheelEvent>
#include <algorithm>
#include <limits>

#include "dialogs/user_dialogs.h"
#include "recorder/record_csv.h"
#include "recorder/record_fields.h"

namespace {

constexpr int kRowHeight = 17;
const QColor kNavy(0, 0, 128);

// Whatever reaches a digit-only edit other than by a typed key (a paste, a
// drop) keeps only its digits.
class DigitsOnly : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& position) const override {
        QString digits;
        int kept = 0;
        for (int i = 0; i < input.size(); ++i) {
            if (!input.at(i).isDigit() || input.at(i).unicode() > '9') continue;
            digits += input.at(i);
            if (i < position) ++kept;
        }
        input = digits;
        position = kept;
        return Acceptable;
    }
};

QLabel* namedLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QLineEdit* namedEdit(const char* name, const char* text, QWidget* parent) {
    auto* edit = new QLineEdit(QString::fromUtf8(text), parent);
    edit->setObjectName(name);
    edit->setMaximumWidth(70);
    return edit;
}

QPushButton* namedButton(const char* name, QWidget* parent) {
    auto* button = new QPushButton(QString::fromUtf8("Вывести"), parent);
    button->setObjectName(name);
    QFont bold = button->font();
    bold.setBold(true);
    button->setFont(bold);
    return button;
}

QString rowCaption(recorder::ViewKind kind, int row) {
    return QString::fromUtf8(kind == recorder::ViewKind::Frames
                                 ? recorder::frameFields()[static_cast<std::size_t>(row)].caption
                                 : recorder::overloadRowCaption(row));
}

// A grid of fixed cells: no headers, no editing, fixed column width and row height.
QTableWidget* fixedGrid(const char* name, int columns, int rows, int columnWidth, QWidget* parent) {
    auto* grid = new QTableWidget(rows, columns, parent);
    grid->setObjectName(name);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setMinimumSectionSize(10);
    grid->verticalHeader()->setMinimumSectionSize(10);
    grid->horizontalHeader()->setDefaultSectionSize(columnWidth);
    grid->verticalHeader()->setDefaultSectionSize(kRowHeight);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setFixedSize(columns * columnWidth + 2 * grid->frameWidth(),
                       rows * kRowHeight + 2 * grid->frameWidth());
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < columns; ++c) grid->setItem(r, c, new QTableWidgetItem);
    return grid;
}

// The row captions beside a grid, one label per row at the row's height.
QWidget* rowCaptions(recorder::ViewKind kind, int rows, QWidget* parent) {
    auto* box = new QWidget(parent);
    auto* layout = new QVBoxLayout(box);
    layout->setContentsMargins(0, 1, 0, 1);
    layout->setSpacing(0);
    for (int r = 0; r < rows; ++r) {
        auto* caption = new QLabel(rowCaption(kind, r), box);
        caption->setFixedHeight(kRowHeight);
        layout->addWidget(caption);
    }
    return box;
}

}  // namespace

RecordViewSetup frameViewSetup() {
    return {.kind = recorder::ViewKind::Frames,
            .columnWidth = 115,
            .grid = "StringGrid_O_Otb",
            .scrollBar = "ScrollBar_Cikl",
            .countCaption = "Label72",
            .count = "Label_O_OtbZap",
            .loadSignLabel = "Label63",
            .minLoadEdit = "Edit_Mmax",
            .loadButton = "BitBtn_MaxM",
            .fromLabel = "Label55",
            .firstEdit = "Edit_KHome",
            .toLabel = "Label60",
            .lastEdit = "Edit_KEnd",
            .rangeButton = "BitBtn_DKadr",
            .datePicker = "DateTimePicker_Data",
            .dateButton = "BitBtn_DataSel",
            .minLoadDefault = "100",
            .firstDefault = "0",
            .lastDefault = "40",
            .dateDefault = QDate::currentDate(),
            .digitKeyFilter = true,
            .gridHint = "Для расшифровки кодов укажите ячейку"};
}

RecordViewSetup overloadViewSetup() {
    return {.kind = recorder::ViewKind::Overloads,
            .columnWidth = 71,
            .grid = "StringGrid_Per_Otb",
            .scrollBar = "ScrollBar_Per",
            .countCaption = "Label_OTBOR",
            .count = "Label_Per_OtbZap",
            .loadSignLabel = "Label64",
            .minLoadEdit = "Edit3",
            .loadButton = "BitBtn3",
            .fromLabel = "Label88",
            .firstEdit = "Edit4",
            .toLabel = "Label89",
            .lastEdit = "Edit5",
            .rangeButton = "BitBtn4",
            .datePicker = "DateTimePicker_DataPer",
            .dateButton = "BitBtn1",
            .minLoadDefault = "0",
            .firstDefault = "0",
            .lastDefault = "2600",
            .dateDefault = QDate(2006, 11, 30),
            .digitKeyFilter = false,
            .gridHint = ""};
}

RecordView::RecordView(const RecordViewSetup& setup, const recorder::Reading& reading,
                       UserDialogs& dialogs, char decimalSeparator, QWidget* parent)
    : QWidget(parent),
      reading_(reading),
      dialogs_(dialogs),
      format_{decimalSeparator},
      view_(setup.kind),
      digitKeyFilter_(setup.digitKeyFilter) {
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setHorizontalSpacing(4);
    layout->setVerticalSpacing(2);

    buildGrid(setup);
    layout->addWidget(rowCaptions(setup.kind, view_.rows(), this), 0, 0, Qt::AlignTop);
    layout->addWidget(grid, 0, 1, Qt::AlignTop | Qt::AlignLeft);

    auto* countRow = new QWidget(this);
    auto* countLayout = new QHBoxLayout(countRow);
    countLayout->setContentsMargins(0, 0, 0, 0);
    countLayout->addWidget(
        namedLabel(setup.countCaption, QString::fromUtf8("Отобрано кадров:"), countRow));
    countLabel = namedLabel(setup.count, QString::fromStdString(view_.countText()), countRow);
    countLayout->addWidget(countLabel);
    countLayout->addStretch();
    layout->addWidget(countRow, 1, 0);

    scrollBar = new QScrollBar(Qt::Horizontal, this);
    scrollBar->setObjectName(setup.scrollBar);
    scrollBar->setSingleStep(1);
    scrollBar->setPageStep(view_.columns());
    scrollBar->setFixedWidth(grid->width());
    layout->addWidget(scrollBar, 1, 1, Qt::AlignLeft);
    positionLabel = new QLabel(this);
    positionLabel->setObjectName(QString::fromUtf8(setup.grid) + "_Position");
    layout->addWidget(positionLabel, 2, 1, Qt::AlignRight);
    syncScrollBar();
    connect(scrollBar, &QScrollBar::valueChanged, this, [this](int value) {
        if (!syncing_) emit scrollBarChanged(value);
    });

    layout->addWidget(buildSelections(setup), 3, 0, 1, 2);
    layout->setRowStretch(4, 1);
    layout->setColumnStretch(2, 1);
}

void RecordView::buildGrid(const RecordViewSetup& setup) {
    grid = fixedGrid(setup.grid, view_.columns(), view_.rows(), setup.columnWidth, this);
    if (setup.kind == recorder::ViewKind::Frames) {
        QFont bold = grid->font();
        bold.setBold(true);
        grid->setFont(bold);
    }
    QPalette palette = grid->palette();
    palette.setColor(QPalette::Text, kNavy);
    grid->setPalette(palette);
    grid->installEventFilter(this);
    grid->viewport()->installEventFilter(this);
    if (*setup.gridHint) {
        // The grid's hint invites pointing at a cell; a pointed cell of a code
        // row explains its code in its own tooltip.
        grid->setToolTip(QString::fromUtf8(setup.gridHint));
        grid->setStatusTip(QString::fromUtf8(setup.gridHint));
        hintCells_ = true;
    }
}

QWidget* RecordView::buildSelections(const RecordViewSetup& setup) {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);

    auto* byLoad =
        new QGroupBox(QString::fromUtf8("Вывести кадры со степенью загрузки более..."), row);
    auto* loadLayout = new QHBoxLayout(byLoad);
    loadLayout->addWidget(namedLabel(setup.loadSignLabel, QString::fromUtf8("М >"), byLoad));
    minLoadEdit = namedEdit(setup.minLoadEdit, setup.minLoadDefault, byLoad);
    loadLayout->addWidget(minLoadEdit);
    loadButton = namedButton(setup.loadButton, byLoad);
    loadLayout->addWidget(loadButton);

    auto* byRange = new QGroupBox(QString::fromUtf8("Вывести кадры в диапазоне"), row);
    auto* rangeLayout = new QHBoxLayout(byRange);
    rangeLayout->addWidget(namedLabel(setup.fromLabel, QString::fromUtf8("с"), byRange));
    firstEdit = namedEdit(setup.firstEdit, setup.firstDefault, byRange);
    rangeLayout->addWidget(firstEdit);
    rangeLayout->addWidget(namedLabel(setup.toLabel, QString::fromUtf8("по"), byRange));
    lastEdit = namedEdit(setup.lastEdit, setup.lastDefault, byRange);
    rangeLayout->addWidget(lastEdit);
    rangeButton = namedButton(setup.rangeButton, byRange);
    rangeLayout->addWidget(rangeButton);

    auto* byDate = new QGroupBox(QString::fromUtf8("Вывести кадры по дате"), row);
    auto* dateLayout = new QHBoxLayout(byDate);
    datePicker = new QDateEdit(setup.dateDefault, byDate);
    datePicker->setObjectName(setup.datePicker);
    datePicker->setCalendarPopup(true);
    datePicker->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    dateLayout->addWidget(datePicker);
    dateButton = namedButton(setup.dateButton, byDate);
    dateLayout->addWidget(dateButton);

    layout->addWidget(byLoad);
    layout->addWidget(byRange);
    layout->addWidget(byDate);
    layout->addStretch();

    loadButton->setProperty("tag", 1);
    rangeButton->setProperty("tag", 2);
    dateButton->setProperty("tag", 3);
    for (QPushButton* button : {loadButton, rangeButton, dateButton})
        connect(button, &QPushButton::clicked, this,
                [this, button] { emit buttonClicked(button->property("tag").toInt()); });
    if (digitKeyFilter_)
        for (QLineEdit* edit : {minLoadEdit, firstEdit, lastEdit}) {
            edit->installEventFilter(this);
            edit->setValidator(new DigitsOnly(edit));
        }
    // Enter in an edit runs its group's "Вывести".
    connect(minLoadEdit, &QLineEdit::returnPressed, loadButton, &QPushButton::click);
    connect(firstEdit, &QLineEdit::returnPressed, rangeButton, &QPushButton::click);
    connect(lastEdit, &QLineEdit::returnPressed, rangeButton, &QPushButton::click);
    return row;
}

bool RecordView::Edit_KeyPress(const QKeyEvent& key) {
    // Keys without a printable character pass: Tab and Backtab, Backspace,
    // Delete, arrows, Home/End, and Ctrl+A/C/V/X/Z, whose texts are control
    // characters. Only a printable character other than a digit is refused.
    if (key.modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) return false;
    const QString text = key.text();
    if (text.size() != 1) return false;
    const QChar c = text.at(0);
    return c.isPrint() && !(c >= '0' && c <= '9');
}

bool RecordView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid || watched == grid->viewport()) {
        if (gridEvent(event)) return true;
        return QWidget::eventFilter(watched, event);
    }
    if (event->type() == QEvent::KeyPress && Edit_KeyPress(*static_cast<QKeyEvent*>(event)))
        return true;
    return QWidget::eventFilter(watched, event);
}

bool RecordView::gridEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::Wheel:
            // The scroll bar turns the wheel into steps as it does under the pointer.
            QApplication::sendEvent(scrollBar, event);
            return true;
        case QEvent::KeyPress: {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key == QKeySequence::Copy) {
                copySelection();
                return true;
            }
            const std::pair<int, QAbstractSlider::SliderAction> paging[] = {
                {Qt::Key_PageUp, QAbstractSlider::SliderPageStepSub},
                {Qt::Key_PageDown, QAbstractSlider::SliderPageStepAdd},
                {Qt::Key_Home, QAbstractSlider::SliderToMinimum},
                {Qt::Key_End, QAbstractSlider::SliderToMaximum}};
            for (const auto& [k, action] : paging)
                if (key->key() == k && !(key->modifiers() & ~Qt::KeypadModifier)) {
                    scrollBar->triggerAction(action);
                    return true;
                }
            return false;
        }
        case QEvent::ContextMenu: {
            QMenu menu(this);
            QAction* copy = menu.addAction(QString::fromUtf8("Копировать"));
            copy->setShortcut(QKeySequence::Copy);
            connect(copy, &QAction::triggered, this, &RecordView::copySelection);
            connect(menu.addAction(QString::fromUtf8("Сохранить выборку как CSV…")),
                    &QAction::triggered, this, &RecordView::saveSelectionRequested);
            menu.exec(static_cast<QContextMenuEvent*>(event)->globalPos());
            return true;
        }
        default:
            return false;
    }
}

QString RecordView::selectedBlock() const {
    std::vector<int> rows, columns;
    for (const QTableWidgetSelectionRange& range : grid->selectedRanges()) {
        for (int r = range.topRow(); r <= range.bottomRow(); ++r) rows.push_back(r);
        for (int c = range.leftColumn(); c <= range.rightColumn(); ++c) columns.push_back(c);
    }
    for (auto* list : {&rows, &columns}) {
        std::sort(list->begin(), list->end());
        list->erase(std::unique(list->begin(), list->end()), list->end());
    }
    if (rows.empty() || columns.empty()) return {};
    return QString::fromStdString(view_.copiedBlock(reading_, rows, columns, format_));
}

void RecordView::copySelection() {
    const QString block = selectedBlock();
    if (!block.isEmpty()) QGuiApplication::clipboard()->setText(block);
}

std::string RecordView::selectionCsv() const {
    const char separator = format_.decimalSeparator == ',' ? ';' : ',';
    const std::vector<int> listed = view_.listedSlots();
    if (view_.kind() == recorder::ViewKind::Frames) {
        std::vector<const recorder::FrameRecord*> frames;
        for (int slot : listed)
            if (static_cast<std::size_t>(slot) < reading_.FrameTable.size())
                frames.push_back(&reading_.FrameTable[static_cast<std::size_t>(slot)]);
        return recorder::framesCsv(frames, separator);
    }
    std::vector<const recorder::OverloadRecord*> records;
    for (int slot : listed)
        if (static_cast<std::size_t>(slot) < reading_.OverloadTable.size())
            records.push_back(&reading_.OverloadTable[static_cast<std::size_t>(slot)]);
    return recorder::overloadsCsv(records, separator);
}

void RecordView::showPosition(int position) {
    view_.setPosition(position);
    redraw();
}

std::optional<std::int64_t> RecordView::integerIn(QLineEdit* edit, const QString& what) {
    bool ok = false;
    const int value = edit->text().trimmed().toInt(&ok);
    if (ok) return value;
    dialogs_.showError(this,
                       QString::fromUtf8("«%1» — не целое число.\nВ поле «%2» нужно целое число от "
                                         "%3 до %4.")
                           .arg(edit->text(), what)
                           .arg(std::numeric_limits<int>::min())
                           .arg(std::numeric_limits<int>::max()));
    edit->setFocus();
    return std::nullopt;
}

void RecordView::selectByTag(int tag) {
    // The edits are read before anything changes, so a bad number leaves the
    // list, the count and the columns as they were.
    recorder::SelectionRequest request;
    if (tag == 1) {
        const auto m = integerIn(minLoadEdit, QString::fromUtf8("М >"));
        if (!m) return;
        request = recorder::SelectionRequest::byLoad(*m);
    } else if (tag == 2) {
        const auto a = integerIn(firstEdit, QString::fromUtf8("с"));
        if (!a) return;
        const auto b = integerIn(lastEdit, QString::fromUtf8("по"));
        if (!b) return;
        request = recorder::SelectionRequest::byRange(*a, *b);
    } else {
        const QDate d = datePicker->date();
        request = recorder::SelectionRequest::byDate(
            recorder::selectionDateText(d.day(), d.month(), d.year()));
    }

    switch (view_.select(reading_, request)) {
        case recorder::SelectionOutcome::Stopped:
            return;
        case recorder::SelectionOutcome::NothingFound:
            countLabel->setText(QString::fromStdString(view_.countText()));
            dialogs_.showInformation(this, QString::fromUtf8(recorder::kNothingFoundMessage));
            redraw();
            return;
        case recorder::SelectionOutcome::Shown:
            countLabel->setText(QString::fromStdString(view_.countText()));
            syncScrollBar();
            redraw();
            return;
    }
}

void RecordView::setUpAfterLoad() {
    view_.setUpAfterLoad(reading_);
    syncScrollBar();
    redraw();
}

void RecordView::jumpTo(int position) {
    view_.jumpTo(position);
    syncScrollBar();
    redraw();
}

void RecordView::syncScrollBar() {
    syncing_ = true;
    scrollBar->setRange(view_.scrollMin(), view_.scrollMax());
    scrollBar->setValue(view_.position());
    syncing_ = false;
}

void RecordView::redraw() {
    // The cells change their texts only: the grid's geometry stays, so the
    // model's per-cell change signals are held back and the grid repainted once.
    const QSignalBlocker quiet(grid->model());
    for (int c = 0; c < view_.columns(); ++c) {
        const auto texts = view_.columnTexts(reading_, c, format_);
        for (int r = 0; r < view_.rows(); ++r) {
            QTableWidgetItem* item = grid->item(r, c);
            item->setText(QString::fromStdString(texts[static_cast<std::size_t>(r)]));
            if (hintCells_)
                item->setToolTip(QString::fromStdString(view_.cellExplanation(reading_, c, r)));
        }
    }
    grid->viewport()->update();
    positionLabel->setText(QString::fromStdString(view_.positionText()));
}

QWidget* buildKdsView(QWidget* parent) {
    auto* view = new QWidget(parent);
    auto* layout = new QGridLayout(view);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setHorizontalSpacing(4);
    static const char* const kCaptions[] = {
        "Номер кадра",      "Дата", "Время", "Название параметра", "Значение параметра",
        "Контрольная сумма"};
    auto* captions = new QWidget(view);
    auto* captionLayout = new QVBoxLayout(captions);
    captionLayout->setContentsMargins(0, 1, 0, 1);
    captionLayout->setSpacing(0);
    for (const char* caption : kCaptions) {
        auto* label = new QLabel(QString::fromUtf8(caption), captions);
        label->setFixedHeight(kRowHeight);
        captionLayout->addWidget(label);
    }
    auto* grid = fixedGrid("StringGrid_KDS", 8, 6, 71, view);
    auto* scroll = new QScrollBar(Qt::Horizontal, view);
    scroll->setObjectName("ScrollBar_KDS");
    scroll->setRange(0, 100);
    scroll->setFixedWidth(grid->width());
    layout->addWidget(captions, 0, 0, Qt::AlignTop);
    layout->addWidget(grid, 0, 1, Qt::AlignTop | Qt::AlignLeft);
    layout->addWidget(scroll, 1, 1, Qt::AlignLeft);
    layout->setColumnStretch(2, 1);
    layout->setRowStretch(2, 1);
    return view;
}
