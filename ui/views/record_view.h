#pragma once
// A paged record view: a grid of one record per column, its row captions, a
// scroll bar, the count of the last selection and the three selection groups
// (by load, by frame range, by date). The frame view and the overload view are
// two configurations of it; the paging and selection rules live in the core's
// PagedView, this widget only renders them and turns clicks into requests.

#include <QDate>
#include <QWidget>

#include "recorder/paged_view.h"
#include "recorder/reading.h"
#include "recorder/record_sheet.h"

class QDateEdit;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTableWidget;
class UserDialogs;

// Names and defaults that tell the two views apart.
struct RecordViewSetup {
    recorder::ViewKind kind;
    int columnWidth;
    const char* grid;
    const char* scrollBar;
    const char* countCaption;  // the label "Отобрано кадров:"
    const char* count;
    const char* loadSignLabel;  // "М >"
    const char* minLoadEdit;
    const char* loadButton;
    const char* fromLabel;  // "с"
    const char* firstEdit;
    const char* toLabel;  // "по"
    const char* lastEdit;
    const char* rangeButton;
    const char* datePicker;
    const char* dateButton;
    const char* minLoadDefault;
    const char* firstDefault;
    const char* lastDefault;
    QDate dateDefault;
    bool digitKeyFilter;   // only digits and backspace may be typed in the edits
    const char* gridHint;  // empty: no hint
};

RecordViewSetup frameViewSetup();
RecordViewSetup overloadViewSetup();

class RecordView : public QWidget {
    Q_OBJECT

  public:
    // `reading` outlives the view; `decimalSeparator` formats the "#0.00" cells.
    RecordView(const RecordViewSetup& setup, const recorder::Reading& reading, UserDialogs& dialogs,
               char decimalSeparator, QWidget* parent);

    // After a file was opened: the identity list, the scroll range and position.
    void setUpAfterLoad();
    // Moves to a position of the list, clamped to the scroll range, and redraws.
    void jumpTo(int position);
    // Shows record `slot` (a chart click): on its entry of the selection, or,
    // when the selection does not list it, over every loaded record again,
    // which the view says beside its position.
    void showRecord(int slot);
    // Fills the columns from the list at the scroll bar's position.
    void redraw();

    const recorder::PagedView& state() const { return view_; }

    QTableWidget* grid = nullptr;
    QScrollBar* scrollBar = nullptr;
    QLabel* countLabel = nullptr;
    QLineEdit* minLoadEdit = nullptr;
    QLineEdit* firstEdit = nullptr;
    QLineEdit* lastEdit = nullptr;
    QDateEdit* datePicker = nullptr;
    QPushButton* loadButton = nullptr;
    QPushButton* rangeButton = nullptr;
    QPushButton* dateButton = nullptr;
    // Where the columns stand in the list: "1201–1205 из 7272".
    QLabel* positionLabel = nullptr;
    // What the view just did, when it is not what was asked (a chart click
    // that left the selection); cleared at the next redraw.
    QLabel* noteLabel = nullptr;

    // A selection by the button tagged 1 (load), 2 (range) or 3 (date).
    void selectByTag(int tag);
    // The columns from a scroll position on.
    void showPosition(int position);
    // The key filter of the edits: true when the typed character is discarded
    // (a printable character other than a digit). Tab, Backspace, Delete, the
    // arrows, Home/End and the editing shortcuts pass.
    static bool Edit_KeyPress(const QKeyEvent& key);

    // The selected cells as tab-separated lines led by their row captions.
    QString selectedBlock() const;
    // Ctrl+C: the selected block to the clipboard.
    void copySelection();
    // The listed records as a table for a spreadsheet (the CSV and the
    // workbook of "Сохранить выборку как …").
    recorder::RecordSheet selectionSheet() const;
    // The listed records as CSV, the columns of `litm frames --csv`; the
    // separator follows the decimal separator (';' with a decimal comma).
    std::string selectionCsv() const;
    // The integer in an edit, or nothing after telling the user why not (the
    // printed frame range reads the range fields the same way).
    std::optional<std::int64_t> integerIn(QLineEdit* edit, const QString& what);

  signals:
    // The three buttons, told apart by their tags; the window's handler answers.
    void buttonClicked(int tag);
    // The user moved the scroll bar.
    void scrollBarChanged(int position);
    // "Сохранить выборку как CSV…" and "… как Excel (.xlsx)…" from the grid's context menu.
    void saveSelectionRequested();
    void saveSelectionAsXlsxRequested();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildGrid(const RecordViewSetup& setup);
    QWidget* buildSelections(const RecordViewSetup& setup);
    void syncScrollBar();
    // Wheel and paging keys over the grid move the scroll bar as it moves itself.
    bool gridEvent(QEvent* event);

    const recorder::Reading& reading_;
    UserDialogs& dialogs_;
    recorder::NumberFormat format_;
    recorder::PagedView view_;
    bool digitKeyFilter_;
    bool hintCells_ = false;
    bool syncing_ = false;
};

// The critical-value view: an empty grid with its row captions and a scroll bar
// whose change does nothing, as the records have no decoding.
QWidget* buildKdsView(QWidget* parent);
