#include "reports/pdf_document_info.h"

#include <QRegularExpression>

namespace reports {
namespace {

// A text string of the document information: UTF-16 big-endian with its byte
// order mark, in hexadecimal, so any Cyrillic and any parenthesis stand as they are.
QByteArray textString(const QString& text) {
    QByteArray bytes("\xFE\xFF", 2);
    for (const QChar c : text) {
        bytes.append(static_cast<char>(c.unicode() >> 8));
        bytes.append(static_cast<char>(c.unicode() & 0xFF));
    }
    return '<' + bytes.toHex().toUpper() + '>';
}

// The value of `/Key` in a dictionary's text, up to the end of its line.
QByteArray entry(const QByteArray& dictionary, const char* key) {
    const QRegularExpression re(QStringLiteral("/%1\\s*([^\\n]*)").arg(QLatin1String(key)));
    const auto match = re.match(QString::fromLatin1(dictionary));
    return match.hasMatch() ? match.captured(1).trimmed().toLatin1() : QByteArray();
}

}  // namespace

QByteArray withDocumentInfo(const QByteArray& pdf, const PdfInfo& info) {
    const qsizetype trailerAt = pdf.lastIndexOf("trailer");
    const qsizetype startAt = pdf.lastIndexOf("startxref");
    if (trailerAt < 0 || startAt < trailerAt) return pdf;
    const QByteArray trailer = pdf.mid(trailerAt, startAt - trailerAt);
    bool sizeOk = false, prevOk = false;
    const int size = entry(trailer, "Size").toInt(&sizeOk);
    const QByteArray root = entry(trailer, "Root");
    const QByteArray previous = pdf.mid(startAt + 9).trimmed().split('\n').value(0).trimmed();
    previous.toLongLong(&prevOk);
    if (!sizeOk || !prevOk || root.isEmpty()) return pdf;
    // The original information's creation date stays.
    const QByteArray infoNumber = entry(trailer, "Info").split(' ').value(0);
    QByteArray oldInfo;
    if (const qsizetype at = pdf.indexOf('\n' + infoNumber + " 0 obj");
        !infoNumber.isEmpty() && at >= 0)
        oldInfo = pdf.mid(at, pdf.indexOf("endobj", at) - at);

    QByteArray out = pdf;
    if (!out.endsWith('\n')) out.append('\n');
    const qsizetype objectAt = out.size();
    out += QByteArray::number(size) + " 0 obj\n<<\n/Title " + textString(info.title) + '\n';
    if (!info.author.isEmpty()) out += "/Author " + textString(info.author) + '\n';
    out += "/Creator " + textString(info.creator) + '\n';
    out += "/Producer " + textString(QStringLiteral("Qt " QT_VERSION_STR)) + '\n';
    if (const QByteArray date = entry(oldInfo, "CreationDate"); !date.isEmpty())
        out += "/CreationDate " + date + '\n';
    out += ">>\nendobj\n";
    const qsizetype xrefAt = out.size();
    out += "xref\n" + QByteArray::number(size) + " 1\n" +
           QByteArray::number(objectAt).rightJustified(10, '0') + " 00000 n \n";
    out += "trailer\n<<\n/Size " + QByteArray::number(size + 1) + "\n/Info " +
           QByteArray::number(size) + " 0 R\n/Root " + root + "\n/Prev " + previous + "\n>>\n";
    out += "startxref\n" + QByteArray::number(xrefAt) + "\n%%EOF\n";
    return out;
}

}  // namespace reports
