#include "reports/report_text.h"

#include <algorithm>

namespace reports {

double flowPairs(Band& band, double x0, double y, double width,
                 const std::vector<CaptionValue>& pairs, const FontStyle& captionFont,
                 const FontStyle& valueFont) {
    const double lh = std::max(lineHeight(captionFont), lineHeight(valueFont));
    double x = x0;
    // A value keeps its room even when short or empty, so the caption after an
    // empty value never runs into the caption before it.
    auto place = [&](const QString& text, const FontStyle& font, double gapAfter, double minWidth) {
        const double w = std::max(textWidth(text, font), minWidth);
        if (w <= 0) return;
        if (x > x0 && x + w > x0 + width) {
            x = x0;
            y += lh;
        }
        if (w > width) {
            // Longer than the whole line: wrapped on lines of its own.
            const TextItem& item = band.text(x0, y, width, text, font, Qt::AlignLeft, true);
            y += item.rect.height();
            x = x0;
            return;
        }
        if (!text.isEmpty()) band.text(x, y, w + 1, text, font);
        x += w + gapAfter;
    };
    for (const CaptionValue& p : pairs) {
        place(qs(p.caption), captionFont, 5, 0);
        place(qs(p.value), valueFont, 18, kMinValueWidth);
    }
    if (x > x0) y += lh;
    band.height = std::max(band.height, y);
    return y;
}

double addSignature(Band& b, double y, const std::string& confirm, const std::string& signatureLine,
                    const std::string& name, const std::string& dateLine, double width) {
    const FontStyle bold{12, true, false};
    const FontStyle plain{11, false, false};
    b.text(0, y, width, qs(confirm), bold);
    y += lineHeight(bold) + 14;
    // The name stands centred between the parentheses, which open wide enough
    // for any name: the blanks between them are only as wide as the font makes them.
    const QString line = qs(signatureLine);
    const int open = line.indexOf(QLatin1Char('('));
    const int close = line.lastIndexOf(QLatin1Char(')'));
    if (open < 0 || close < open) {
        b.text(0, y, width, line, plain);
    } else {
        const FontStyle nameFont{11, true, false};
        const QString before = line.left(open + 1);
        const double left = textWidth(before, plain);
        const double inside = std::max(textWidth(line.mid(open + 1, close - open - 1), plain),
                                       textWidth(qs(name), nameFont) + 24);
        b.text(0, y, left + 1, before, plain);
        b.text(left, y, inside, qs(name), nameFont, Qt::AlignHCenter);
        b.text(left + inside, y, width - left - inside, line.mid(close), plain);
    }
    y += lineHeight(plain) + 12;
    b.text(0, y, width, qs(dateLine), plain);
    y += lineHeight(plain);
    b.height = std::max(b.height, y);
    return y;
}

Band signatureBand(const std::string& confirm, const std::string& signatureLine,
                   const std::string& name, const std::string& dateLine, double width) {
    Band b;
    addSignature(b, 14, confirm, signatureLine, name, dateLine, width);
    return b;
}

}  // namespace reports
