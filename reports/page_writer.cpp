#include "reports/page_writer.h"
#include "base/utf8_path.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QRawFont>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>

#include "fileio/safe_write.h"
#include "reports/chart_painter.h"
#include "reports/pdf_document_info.h"

namespace reports {
namespace {

int fontKey(const FontStyle& style) {
    return qRound(style.pixelSize * 8) * 4 + (style.bold ? 2 : 0) + (style.italic ? 1 : 0);
}

// Fonts, metrics and glyphs are asked for tens of thousands of times per long
// report: one of each per face and size, made on first use.
struct FontCache {
    QFont font;
    QFontMetricsF metrics;
    QRawFont raw;
    // The glyphs and advances of each tab-separated piece drawn so far.
    QHash<QString, struct PieceGlyphs> pieces;

    explicit FontCache(const QFont& f) : font(f), metrics(f), raw(QRawFont::fromFont(f)) {}
};

QHash<int, FontCache*>& fontCaches() {
    static QHash<int, FontCache*> caches;
    return caches;
}

// The fonts belong to the application's font database: they are freed as the
// application ends (its post routines run before the database goes).
void freeFontCaches() {
    qDeleteAll(fontCaches());
    fontCaches().clear();
}

FontCache& cached(const FontStyle& style) {
    QHash<int, FontCache*>& cache = fontCaches();
    const int key = fontKey(style);
    auto it = cache.find(key);
    if (it == cache.end()) {
        if (cache.isEmpty()) qAddPostRoutine(freeFontCaches);
        it = cache.insert(key, new FontCache(reportFont(style)));
    }
    return **it;
}

const QFontMetricsF& metrics(const FontStyle& style) {
    return cached(style).metrics;
}

// The glyphs of a piece of a tab-separated line and its width, from the font itself.
struct PieceGlyphs {
    QList<quint32> glyphs;
    QList<QPointF> advances;
    double width = 0;
};

const PieceGlyphs& pieceGlyphs(FontCache& cache, const QString& piece) {
    auto it = cache.pieces.find(piece);
    if (it == cache.pieces.end()) {
        PieceGlyphs p;
        p.glyphs = cache.raw.glyphIndexesForString(piece);
        p.advances = cache.raw.advancesForGlyphIndexes(p.glyphs);
        for (const QPointF& a : p.advances) p.width += a.x();
        it = cache.pieces.insert(piece, std::move(p));
    }
    return *it;
}

// Calls `place(piece, x)` for each tab-separated piece at its start.
template <typename Place>
void forEachTabbedPiece(const QString& text, const std::vector<double>& stops, FontCache& cache,
                        Place place) {
    double x = 0;
    int start = 0;
    for (;;) {
        const int tab = text.indexOf(QLatin1Char('\t'), start);
        const QString piece = text.mid(start, tab < 0 ? -1 : tab - start);
        const PieceGlyphs& glyphs = pieceGlyphs(cache, piece);
        place(glyphs, x);
        x += glyphs.width;
        if (tab < 0) break;
        auto next = std::upper_bound(stops.begin(), stops.end(), x);
        x = next != stops.end() ? *next : x + pieceGlyphs(cache, QStringLiteral(" ")).width;
        start = tab + 1;
    }
}

// Tab-separated lines gathered into one glyph run with each piece at its tab
// position: a long table then costs one call per page on the device, not one
// per piece (a PDF writes a text object per call).
class GlyphBatch {
  public:
    void add(const QString& text, const std::vector<double>& stops, const FontStyle& style,
             QPointF baseline, QPainter& painter) {
        FontCache& cache = cached(style);
        if (cache_ != &cache) {
            flush(painter);
            cache_ = &cache;
        }
        forEachTabbedPiece(text, stops, cache, [&](const PieceGlyphs& piece, double x) {
            for (qsizetype i = 0; i < piece.glyphs.size(); ++i) {
                glyphs_.push_back(piece.glyphs[i]);
                positions_.push_back(baseline + QPointF(x, 0));
                x += piece.advances[i].x();
            }
        });
    }
    void flush(QPainter& painter) {
        if (!cache_ || glyphs_.isEmpty()) return;
        QGlyphRun run;
        run.setRawFont(cache_->raw);
        run.setGlyphIndexes(glyphs_);
        run.setPositions(positions_);
        painter.setPen(Qt::black);
        painter.drawGlyphRun(QPointF(0, 0), run);
        glyphs_.clear();
        positions_.clear();
    }

  private:
    FontCache* cache_ = nullptr;
    QList<quint32> glyphs_;
    QList<QPointF> positions_;
};

}  // namespace

QFont reportFont(const FontStyle& style) {
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, qRound(style.pixelSize)));
    font.setBold(style.bold);
    font.setItalic(style.italic);
    // Unhinted outlines measure the same on the screen, in the preview and in a
    // PDF, so positions computed here hold on every device.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

double lineHeight(const FontStyle& style) {
    return std::ceil(metrics(style).height());
}

double textWidth(const QString& text, const FontStyle& style) {
    return metrics(style).horizontalAdvance(text);
}

TextItem& Band::text(double x, double y, double width, const QString& value, const FontStyle& font,
                     Qt::Alignment align, bool wrap) {
    double h = lineHeight(font);
    if (wrap) {
        const QRectF bounds =
            metrics(font).boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap | align, value);
        h = std::max(h, std::ceil(bounds.height()));
    }
    items.push_back(
        TextItem{QRectF(x, y, width, h), value, font, align | Qt::AlignTop, wrap, false, {}});
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

std::vector<double> tabPositions(const QString& value, const std::vector<double>& stops,
                                 const FontStyle& font) {
    std::vector<double> positions;
    forEachTabbedPiece(value, stops, cached(font),
                       [&](const PieceGlyphs&, double x) { positions.push_back(x); });
    return positions;
}

void Band::tabbed(double y, const QString& value,
                  const std::shared_ptr<const std::vector<double>>& stops, const FontStyle& font) {
    const double h = lineHeight(font);
    const double right = stops->empty() ? 0 : stops->back();
    TextItem item{
        QRectF(0, y, right + 200, h), value, font, Qt::AlignLeft | Qt::AlignTop, false, false, {}};
    item.tabStops = stops;
    items.push_back(std::move(item));
    height = std::max(height, y + h);
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
    GlyphBatch* batch;

    void operator()(const TextItem& t) const {
        const FontCache& font = cached(t.font);
        if (t.tabStops && batch) {
            batch->add(t.text, *t.tabStops, t.font,
                       t.rect.topLeft() + origin + QPointF(0, font.metrics.ascent()), painter);
            return;
        }
        if (batch) batch->flush(painter);
        if (painter.font() != font.font) painter.setFont(font.font);
        if (painter.pen() != QPen(Qt::black)) painter.setPen(Qt::black);
        const QString text = t.pageNumber ? t.text + QString::number(pageNumber) : t.text;
        const QRectF rect = t.rect.translated(origin);
        if (t.tabStops) {
            GlyphBatch single;
            single.add(t.text, *t.tabStops, t.font,
                       rect.topLeft() + QPointF(0, font.metrics.ascent()), painter);
            single.flush(painter);
        } else if (t.wrap) {
            painter.drawText(rect, int(t.align) | Qt::TextWordWrap, text);
        } else if ((t.align & Qt::AlignHorizontal_Mask) == Qt::AlignLeft) {
            // Left-aligned single lines are the bulk of a long table: draw at the baseline.
            painter.drawText(QPointF(rect.left(), rect.top() + metrics(t.font).ascent()), text);
        } else {
            painter.drawText(rect, int(t.align) | Qt::TextDontClip, text);
        }
    }
    void operator()(const BoxItem& b) const {
        if (batch) batch->flush(painter);
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
        if (batch) batch->flush(painter);
        painter.setPen(QPen(Qt::black, l.width));
        painter.drawLine(l.line.translated(origin));
    }
    void operator()(const ChartItem& c) const {
        if (batch) batch->flush(painter);
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

namespace {

void drawBand(QPainter& painter, const Band& band, QPointF origin, int pageNumber,
              GlyphBatch* batch) {
    const ItemPainter draw{painter, origin, pageNumber, batch};
    for (const Item& item : band.items) std::visit(draw, item);
}

}  // namespace

void drawBand(QPainter& painter, const Band& band, QPointF origin, int pageNumber) {
    drawBand(painter, band, origin, pageNumber, nullptr);
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
            GlyphBatch batch;
            for (const PlacedBand& placed : page.bands)
                drawBand(painter, *placed.band, corner + QPointF(0, placed.top), page.number,
                         &batch);
            batch.flush(painter);
        }
    }
    if (painter.isActive()) painter.end();
}

bool writePdf(const std::vector<const ReportLayout*>& layouts, const QString& path,
              const PdfInfo& info, QString& error) {
    // Drawn in memory, then written by the program's safe writer like every
    // other file: an earlier PDF stays until the new one is complete.
    QByteArray pdf;
    {
        QBuffer buffer(&pdf);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(600);
        writer.setTitle(info.title);
        writer.setCreator(info.creator);
        render(layouts, writer);
    }
    pdf = withDocumentInfo(pdf, info);
    const fileio::WriteResult written =
        fileio::writeFileSafely(base::pathFromUtf8(path.toStdString()),
                                std::span(reinterpret_cast<const std::uint8_t*>(pdf.constData()),
                                          static_cast<std::size_t>(pdf.size())));
    if (!written.ok) {
        error = QString::fromStdString(written.message);
        return false;
    }
    return true;
}

}  // namespace reports
