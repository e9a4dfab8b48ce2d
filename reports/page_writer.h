#pragma once
// The banded page writer shared by every printed report.
//
// A report is a ReportLayout: the page (A4 portrait or landscape, margins), a
// page header and a page footer printed on every page, and body bands that flow
// from page to page. A band is never split: a band that does not fit on what is
// left of a page starts the next one. Positions are in layout units of 1/96
// inch (the pixels the reports' sizes are given in), measured from the top left
// corner of the printable area; the renderer scales them to the device, so the
// same pages go to the print preview, a printer and a PDF.
//
// reports/ draws with Qt Gui only (no widgets), so it also runs offscreen.

#include <QColor>
#include <QFont>
#include <QLineF>
#include <QMarginsF>
#include <QPageLayout>
#include <QRectF>
#include <QString>
#include <memory>
#include <variant>
#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace reports {

struct ChartContent;

inline constexpr double kUnitsPerInch = 96.0;
inline double mmToUnits(double mm) {
    return mm / 25.4 * kUnitsPerInch;
}

// Arial (or the metric-compatible face fontconfig gives for it) at a size in units.
struct FontStyle {
    double pixelSize = 12;
    bool bold = false;
    bool italic = false;
};
QFont reportFont(const FontStyle& style);
// The height of one line of the font, in units.
double lineHeight(const FontStyle& style);
double textWidth(const QString& text, const FontStyle& style);

struct TextItem {
    QRectF rect;
    QString text;
    FontStyle font;
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignTop;
    bool wrap = false;
    // The page's number is appended to the text when the page is drawn ("Страница " + 3).
    bool pageNumber = false;
    // Tab stops of a tab-separated line, from the rect's left edge.
    std::shared_ptr<const std::vector<double>> tabStops;
};

struct BoxItem {
    QRectF rect;
    bool filled = false;  // filled black, or a frame of hairline width
};

struct LineItem {
    QLineF line;
    double width = 0.5;
};

struct ChartItem {
    QRectF rect;
    std::shared_ptr<const ChartContent> chart;
};

using Item = std::variant<TextItem, BoxItem, LineItem, ChartItem>;

struct Band {
    double height = 0;
    std::vector<Item> items;  // positions relative to the band's top left

    // Adds a text of one line (or wrapped to the rect's width) and grows the band to hold it.
    TextItem& text(double x, double y, double width, const QString& text, const FontStyle& font,
                   Qt::Alignment align = Qt::AlignLeft, bool wrap = false);
    void box(const QRectF& rect, bool filled);
    void line(const QLineF& line, double width = 0.5);
    // A line of tab-separated pieces drawn at the tab stops (see tabPositions).
    void tabbed(double y, const QString& text,
                const std::shared_ptr<const std::vector<double>>& stops, const FontStyle& font);
};

// Where each tab-separated piece of `text` starts: at the first stop to the
// right of where the previous piece ended (an empty piece moves on by one
// stop), as a word processor's tabs do; past the last stop, a blank further on.
std::vector<double> tabPositions(const QString& text, const std::vector<double>& stops,
                                 const FontStyle& font);

struct ReportLayout {
    QPageLayout::Orientation orientation = QPageLayout::Portrait;
    QMarginsF marginsMm{10, 10, 10, 10};
    std::vector<Band> header;  // on every page, at the top
    std::vector<Band> body;
    std::vector<Band> footer;  // on every page, at the bottom

    QSizeF pageSize() const;       // the sheet, in units
    QRectF printableRect() const;  // inside the margins, in page units
    double printableWidth() const { return printableRect().width(); }
    double bodyHeight() const;  // printable height less the header and footer
};

struct PlacedBand {
    const Band* band = nullptr;
    double top = 0;  // from the top of the printable area
};

struct Page {
    int number = 1;
    std::vector<PlacedBand> bands;  // header, body, footer
};

// Every page of a layout: at least one, even with an empty body.
std::vector<Page> paginate(const ReportLayout& layout);

// Draws one band's items at `origin` (units, on a painter already scaled to units).
void drawBand(QPainter& painter, const Band& band, QPointF origin, int pageNumber);

// Draws the layouts one after the other on the device, a new sheet per page;
// the device takes each layout's paper and orientation.
void render(const std::vector<const ReportLayout*>& layouts, QPagedPaintDevice& device);

struct PdfInfo;

// The layouts as one PDF file with its title and author. False, with the
// reason, when it cannot be written.
bool writePdf(const std::vector<const ReportLayout*>& layouts, const QString& path,
              const PdfInfo& info, QString& error);

}  // namespace reports
