#include "archive_ui/archived_form.h"
#include "base/utf8_path.h"

#include <QDir>
#include <algorithm>
#include <vector>

#include "archive/reading_archive.h"
#include "base/local_time.h"
#include "forms/create_form.h"
#include "recorder/loader.h"

namespace {

// The bytes as the open command reads a file: up to the end of the trailer.
recorder::DataFile dataFile(const QByteArray& bytes) {
    const auto size =
        std::min<std::size_t>(static_cast<std::size_t>(bytes.size()), recorder::kNormalFileSize);
    const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.constData());
    return recorder::DataFile(std::vector<std::uint8_t>(data, data + size));
}

}  // namespace

ArchivedFormResult createArchivedForm(archive::ReadingArchive& store, int form,
                                      const archive::ArchivedReading& earlier,
                                      const archive::ArchivedReading& later,
                                      const QString& startDirectory,
                                      const recorder::NumberFormat& format) {
    ArchivedFormResult result;
    if (earlier.limiterSerial != later.limiterSerial) {
        result.error = QStringLiteral(
                           "Выбраны считывания разных ограничителей (№ %1 и № %2): форма %3 "
                           "составляется по двум считываниям одного ограничителя.")
                           .arg(earlier.limiterSerial, later.limiterSerial)
                           .arg(form);
        return result;
    }
    QString error;
    const auto previousBytes = store.fileBytes(earlier.id, error);
    const auto currentBytes = previousBytes ? store.fileBytes(later.id, error) : std::nullopt;
    if (!currentBytes) {
        result.error = error;
        return result;
    }

    const forms::PreviousReading previous = forms::readPreviousReading(dataFile(*previousBytes));
    recorder::Reading current;
    recorder::loadReading(dataFile(*currentBytes), current, format);
    const std::filesystem::path start = base::pathFromUtf8(startDirectory.toStdString());
    const forms::FormFiles files =
        forms::startDirectoryFiles(form, start, current, recorder::localNow());
    try {
        const forms::FormResult made = form == 1
                                           ? forms::createForm1(current, previous, files, format)
                                           : forms::createForm2(current, previous, files, format);
        result.report =
            QDir::fromNativeSeparators(QString::fromStdString(base::utf8Of(made.report)));
    } catch (const forms::FormError& e) {
        result.error = QString::fromUtf8(e.what());
    }
    return result;
}
