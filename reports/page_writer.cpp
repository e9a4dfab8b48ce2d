#include "reports/page_writer.h"

#include <QFontMetricsF>
#include <QHash>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

#include "reports/chart_painter.h"

namespace reports {
namespace {

// Metrics are asked for tens of thousands of times per long report; one per face and size.
const QFontMetricsF& metrics(const FontSpec& spec) {
    static QHash<QString, QFontMetricsF*> cache;
    const QString key =
        QString::number(spec.pixelSize) + (spec.bold ? "b" : "") + (spec.italic ? "i" : "");
    auto it = cache.find(key);
    if (it == cache.end()) it = cache.insert(key, new QFontMetricsF(reportFont(spec)));
    return **it;
}

}  // namespace

QFont reportFont(const FontSpec& spec) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, qRound(spec.pixelSize)));
    font.setBold(spec.bold);
    font.setItalic(spec.italic);
    // Unhinted outlines measure the same on the screen, in the preview and in a
    // PDF, so positions computed here hold on every device.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

double lineHeight(const FontSpec& spec) {
    return std::ceil(metrics(spec).height());
}

double textWidth(const QString& text, const FontSpec& spec) {
    return metrics(spec).horizontalAdvance(text);
}

TextItem& Band::text(double x, double y, double width, const QString& value, const FontSpec& font,
                     Qt::Alignment align, bool wrap) {
    double h = lineHeight(font);
    if (wrap) {
        const QRectF bounds =
            metrics(font).boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap | align, value);
        h = std::max(h, std::ceil(bounds.height()));
    }
    items.push_back(TextItem{QRectF(x, y, width, h), value, font, align | Qt::AlignTop, wrap});
    height = std::max(height, y + h);
    return std::get<TextItem>(items.back());
}

void Band::box(const QRectF& rect, bool filled) {
    items.push_back(BoxItem{rect, filled});
    height = std::max(height, rect.bottom());
}

void Band::line(const QLineF& l, double width) {
    items.push_back(LineItem{l, width});
    height = std::max(height, std::max(l.y1(), l.y2()));
}

void Band::tabbed(double y, const QString& value, const std::vector<double>& stops,
                  const FontSpec& font) {
    const QStringList pieces = value.split(QLatin1Char('\t'));
    double x = 0;
    for (int i = 0; i < pieces.size(); ++i) {
        if (i > 0) {
            auto next = std::upper_bound(stops.begin(), stops.end(), x);
            // Past the last stop a tab moves on by a blank's width.
            x = next != stops.end() ? *next : x + textWidth(QStringLiteral(" "), font);
        }
        const QString& piece = pieces[i];
        if (piece.isEmpty()) continue;
        const double w = textWidth(piece, font);
        text(x, y, w + 1, piece, font);
        x += w;
    }
    height = std::max(height, y + lineHeight(font));
}

QSizeF ReportLayout::pageSize() const {
    const QSizeF a4 = QPageSize(QPageSize::A4).size(QPageSize::Millimeter);
    const QSizeF mm = orientation == QPageLayout::Portrait ? a4 : a4.transposed();
    return {mmToUnits(mm.width()), mmToUnits(mm.height())};
}

QRectF ReportLayout::printableRect() const {
    const QSizeF page = pageSize();
    const double left = mmToUnits(marginsMm.left()), top = mmToUnits(marginsMm.top());
    return {left, top, page.width() - left - mmToUnits(marginsMm.right()),
            page.height() - top - mmToUnits(marginsMm.bottom())};
}

namespace {

double bandsHeight(const std::vector<Band>& bands) {
    double h = 0;
    for (const Band& b : bands) h += b.height;
    return h;
}

}  // namespace

double ReportLayout::bodyHeight() const {
    return printableRect().height() - bandsHeight(header) - bandsHeight(footer);
}

std::vector<Page> paginate(const ReportLayout& layout) {
    const double printable = layout.printableRect().height();
    const double bodyBottom = printable - bandsHeight(layout.footer);

    std::vector<Page> pages;
    auto startPage = [&] {
        Page page;
        page.number = static_cast<int>(pages.size()) + 1;
        double top = 0;
        for (const Band& b : layout.header) {
            page.bands.push_back({&b, top});
            top += b.height;
        }
        pages.push_back(std::move(page));
        return top;
    };
    double y = startPage();
    bool bodyOnPage = false;
    for (const Band& b : layout.body) {
        // A band that does not fit goes whole to the next page, unless the page
        // has no body yet (a band taller than a page then stands alone).
        if (bodyOnPage && y + b.height > bodyBottom + 0.01) {
            y = startPage();
            bodyOnPage = false;
        }
        pages.back().bands.push_back({&b, y});
        y += b.height;
        bodyOnPage = true;
    }
    for (Page& page : pages) {
        double top = bodyBottom;
        for (const Band& b : layout.footer) {
            page.bands.push_back({&b, top});
            top += b.height;
        }
    }
    return pages;
}

namespace {

struct ItemPainter {
    QPainter& painter;
    QPointF origin;
    int pageNumber;

    void operator()(const TextItem& t) const {
        painter.setFont(reportFont(t.font));
        painter.setPen(Qt::black);
        const QString text = t.pageNumber ? t.text + QString::number(pageNumber) : t.text;
        const QRectF rect = t.rect.translated(origin);
        if (t.wrap) {
            painter.drawText(rect, int(t.align) | Qt::TextWordWrap, text);
        } else if ((t.align & Qt::AlignHorizontal_Mask) == Qt::AlignLeft) {
            // Left-aligned single lines are the bulk of a long table: draw at the baseline.
            painter.drawText(QPointF(rect.left(), rect.top() + metrics(t.font).ascent()), text);
        } else {
            painter.drawText(rect, int(t.align) | Qt::TextDontClip, text);
        }
    }
    void operator()(const BoxItem& b) const {
        const QRectF rect = b.rect.translated(origin);
        if (b.filled) {
            painter.fillRect(rect, Qt::black);
        } else {
            painter.setPen(QPen(Qt::black, 0.75));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(rect);
        }
    }
    void operator()(const LineItem& l) const {
        painter.setPen(QPen(Qt::black, l.width));
        painter.drawLine(l.line.translated(origin));
    }
    void operator()(const ChartItem& c) const {
        if (c.chart) drawChart(painter, c.rect.translated(origin), *c.chart);
    }
};

QPageLayout pageLayoutOf(const ReportLayout& layout) {
    QPageLayout pl(QPageSize(QPageSize::A4), layout.orientation, layout.marginsMm,
                   QPageLayout::Millimeter, QMarginsF(0, 0, 0, 0));
    // The writer places everything from the sheet's corner itself.
    pl.setMode(QPageLayout::FullPageMode);
    return pl;
}

}  // namespace

void drawBand(QPainter& painter, const Band& band, QPointF origin, int pageNumber) {
    const ItemPainter draw{painter, origin, pageNumber};
    for (const Item& item : band.items) std::visit(draw, item);
}

void render(const std::vector<const ReportLayout*>& layouts, QPagedPaintDevice& device) {
    QPainter painter;
    bool first = true;
    for (const ReportLayout* layout : layouts) {
        const std::vector<Page> pages = paginate(*layout);
        for (const Page& page : pages) {
            if (first) {
                device.setPageLayout(pageLayoutOf(*layout));
                if (!painter.begin(&device)) return;
                first = false;
            } else {
                device.setPageLayout(pageLayoutOf(*layout));
                device.newPage();
            }
            painter.resetTransform();
            const double scale = device.logicalDpiX() / kUnitsPerInch;
            painter.scale(scale, scale);
            painter.setRenderHint(QPainter::Antialiasing);
            const QPointF corner = layout->printableRect().topLeft();
            for (const PlacedBand& placed : page.bands)
                drawBand(painter, *placed.band, corner + QPointF(0, placed.top), page.number);
        }
    }
    if (painter.isActive()) painter.end();
}

bool writePdf(const std::vector<const ReportLayout*>& layouts, const QString& path,
              QString& error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    {
        QPdfWriter writer(&file);
        writer.setResolution(600);
        writer.setCreator(QStringLiteral("ТИРС-48"));
        render(layouts, writer);
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

}  // namespace reports
