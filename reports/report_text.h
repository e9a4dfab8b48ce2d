#pragma once
// Pieces shared by the report layouts: core texts as Qt strings, caption and
// value pairs flowing along a line, the signature block.

#include <QString>
#include <string>
#include <vector>

#include "reports/page_writer.h"
#include "reports/report_content.h"

namespace reports {

inline QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// The least room a value takes on its line, in units, even when empty.
inline constexpr double kMinValueWidth = 60;

// Places caption, value, caption, value ... along lines from (x, y) within
// `width`, a piece that does not fit starting the next line; each value takes
// at least kMinValueWidth. Returns the y under the last line.
double flowPairs(Band& band, double x, double y, double width,
                 const std::vector<CaptionValue>& pairs, const FontStyle& captionFont,
                 const FontStyle& valueFont);

// "Информацию подтверждаю", the signature line with the name centred inside its
// parentheses, and the blank date line.
Band signatureBand(const std::string& confirm, const std::string& signatureLine,
                   const std::string& name, const std::string& dateLine, double width);
// Adds the same block to `band` from `y` on; returns the y under it.
double addSignature(Band& band, double y, const std::string& confirm,
                    const std::string& signatureLine, const std::string& name,
                    const std::string& dateLine, double width);

}  // namespace reports
