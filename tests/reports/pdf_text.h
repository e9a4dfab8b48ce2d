#pragma once
// Reading a written PDF back as a person's tools read it: the text of each
// page laid out (pdftotext -layout), and the words with their positions
// (pdftotext -bbox), in points from the sheet's top left corner.

#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <vector>

namespace pdf_test {

inline QString runPdftotext(const QStringList& arguments) {
    QProcess p;
    p.start("pdftotext", arguments);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// One entry per page.
inline QStringList pageTexts(const QString& pdf) {
    QStringList pages = runPdftotext({"-layout", pdf, "-"}).split(QChar('\f'));
    if (!pages.isEmpty() && pages.back().trimmed().isEmpty()) pages.removeLast();
    return pages;
}

struct Word {
    int page = 0;
    double x = 0, y = 0, right = 0;
    QString text;
};

inline std::vector<Word> words(const QString& pdf) {
    const QString html = runPdftotext({"-bbox", pdf, "-"});
    static const QRegularExpression pageStart("<page ");
    static const QRegularExpression word(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
        "yMax=\"[0-9.]+\">([^<]*)</word>");
    std::vector<Word> out;
    int page = -1;
    qsizetype at = 0;
    for (;;) {
        const auto nextPage = pageStart.match(html, at);
        const auto nextWord = word.match(html, at);
        if (!nextWord.hasMatch()) break;
        if (nextPage.hasMatch() && nextPage.capturedStart() < nextWord.capturedStart()) {
            ++page;
            at = nextPage.capturedEnd();
            continue;
        }
        out.push_back({page, nextWord.captured(1).toDouble(), nextWord.captured(2).toDouble(),
                       nextWord.captured(3).toDouble(), nextWord.captured(4)});
        at = nextWord.capturedEnd();
    }
    return out;
}

// The words of the line that holds `y` (within a point) on `page`, left to right.
inline std::vector<Word> lineAt(const std::vector<Word>& all, int page, double y) {
    std::vector<Word> line;
    for (const Word& w : all)
        if (w.page == page && std::abs(w.y - y) < 1.0) line.push_back(w);
    std::sort(line.begin(), line.end(), [](const Word& a, const Word& b) { return a.x < b.x; });
    return line;
}

}  // namespace pdf_test
