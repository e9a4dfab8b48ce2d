#pragma once
// The document information of a written PDF (what a viewer shows as its title
// and author, and what `pdfinfo` lists). Qt's PDF writer stores the title and
// the creator but has no author, so the whole information dictionary is added
// again as an incremental update at the file's end: a new object, a one-entry
// cross-reference section and a trailer pointing back to the original one.

#include <QByteArray>
#include <QString>

namespace reports {

struct PdfInfo {
    QString title;   // the report's heading and the crane
    QString author;  // the operator who read the recorder; none when empty
    QString creator;
};

// The PDF with `info` as its document information. A file whose trailer it
// does not recognise is returned unchanged.
QByteArray withDocumentInfo(const QByteArray& pdf, const PdfInfo& info);

}  // namespace reports
