// The reading archive at fleet size: adding 1000 readings, then the fleet list
// over 10 000 readings of 1000 cranes and one crane's history.
//
//   build/bench/bench_archive                         # a new SQLite file in /tmp
//   build/bench/bench_archive --db postgresql://user:pw@host/db   # an empty database
//
// The first 1000 readings are whole generated readings (100 cranes read monthly
// for ten months; about 105 KB each once compressed). The other 9000 (900 more
// cranes) keep their identification, counters and trailer but have their page
// memory erased, so that they compress to a few kilobytes: the fleet and history
// queries never read the images, and ten thousand full images would be a
// gigabyte of scratch data on a shared machine.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

#include "archive/reading_archive.h"
#include "simulation/sample_reading/sample_reading.h"

namespace {

constexpr int kMonths = 10;

QByteArray monthlyReading(const sample::SampleImage& crane, int month, float characteristic) {
    sample::ImageBuilder b = crane.builder;
    for (int bank = 0; bank < 2; ++bank)
        b.setBankF32(bank, recorder::bank::kCharacteristicNumber, characteristic);
    b.fixAllBankChecks();
    b.fixImageSum();
    recorder::ServiceTexts service = crane.service;
    char date[32];
    std::snprintf(date, sizeof date, "15.%02d.2025 10:%02d", month, month);
    service.readingDate = date;
    const auto bytes = b.fileBytes(service);
    return QByteArray(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<qsizetype>(bytes.size()));
}

sample::SampleImage craneTemplate(int crane, bool erasedFrames) {
    sample::SampleOptions o;
    o.seed = static_cast<std::uint64_t>(crane % 100 + 1);
    sample::SampleImage image = sample::buildSampleImage(o);
    char serial[16];
    std::snprintf(serial, sizeof serial, "%06d", 100000 + crane);
    for (int bank = 0; bank < 2; ++bank) {
        image.builder.setBankText(bank, recorder::bank::kSerialNumber,
                                  recorder::bank::kSerialNumberWidth, serial);
        image.builder.setBankI16(bank, recorder::bank::kCraneNumber,
                                 static_cast<std::int16_t>(crane));
    }
    if (erasedFrames)
        image.builder.fill(sample::ImageBuilder::frameOffset(0),
                           recorder::kPageFrames * recorder::kFrameSize, 0xFF);
    return image;
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// Adds ten monthly readings of each crane in [first, last); returns the seconds spent adding.
double addCranes(archive::ReadingArchive& a, int first, int last, bool erasedFrames,
                 qint64& compressedBytes, double& cpuSeconds) {
    double seconds = 0;
    for (int crane = first; crane < last; ++crane) {
        const sample::SampleImage t = craneTemplate(crane, erasedFrames);
        for (int month = 1; month <= kMonths; ++month) {
            const QByteArray bytes = monthlyReading(
                t, month, static_cast<float>(1000 + 37 * crane + month * (150 + crane % 50)));
            if (crane == first && month == 1) compressedBytes = qCompress(bytes, 1).size();
            QElapsedTimer timer;
            timer.start();
            const std::clock_t cpu = std::clock();
            const archive::AddResult r = a.addBytes(bytes, QStringLiteral("bench.litm"));
            seconds += static_cast<double>(timer.nsecsElapsed()) / 1e9;
            cpuSeconds += static_cast<double>(std::clock() - cpu) / CLOCKS_PER_SEC;
            if (r.outcome != archive::AddOutcome::Added) {
                std::fprintf(stderr, "add failed: %s\n", qPrintable(r.message));
                std::exit(1);
            }
        }
    }
    return seconds;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
    QTemporaryDir dir;
    QString url = dir.filePath(QStringLiteral("archive.sqlite"));
    const QStringList args = app.arguments();
    if (const auto i = args.indexOf(QStringLiteral("--db")); i > 0 && i + 1 < args.size())
        url = args[i + 1];

    QString error;
    const auto location = archive::parseDatabaseUrl(url, error);
    archive::ReadingArchive a;
    if (!location || !a.open(*location, error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::printf("archive: %s\n", qPrintable(a.name()));

    qint64 fullSize = 0, erasedSize = 0;
    // Wall time, and the processor time of this program alone: on a machine shared
    // with other work the first grows, the second does not.
    double fullCpu = 0, quietCpu = 0;
    const double full = addCranes(a, 0, 100, false, fullSize, fullCpu);
    std::printf(
        "add 1000 whole readings (%lld KB compressed each): %.2f s (%.2f s processor),"
        " %.1f ms a reading\n",
        fullSize / 1024, full, fullCpu, full);
    const double quiet = addCranes(a, 100, 1000, true, erasedSize, quietCpu);
    std::printf(
        "add 9000 readings with erased page memory (%lld KB compressed each): %.2f s"
        " (%.2f s processor)\n",
        erasedSize / 1024, quiet, quietCpu);

    std::vector<double> fleetMs, fleetCpuMs, historyMs;
    std::size_t cranes = 0, readings = 0;
    for (int run = 0; run < 7; ++run) {
        QElapsedTimer timer;
        timer.start();
        const std::clock_t cpu = std::clock();
        const auto fleet = a.fleet(error);
        fleetMs.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        fleetCpuMs.push_back(static_cast<double>(std::clock() - cpu) * 1000.0 / CLOCKS_PER_SEC);
        if (!fleet) return std::fprintf(stderr, "%s\n", qPrintable(error)), 1;
        cranes = fleet->size();
    }
    for (int run = 0; run < 41; ++run) {
        const QString serial =
            QStringLiteral("%1").arg(100000 + (run * 97) % 1000, 6, 10, QLatin1Char('0'));
        QElapsedTimer timer;
        timer.start();
        const auto history = a.history(serial, error);
        historyMs.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
        if (!history) return std::fprintf(stderr, "%s\n", qPrintable(error)), 1;
        readings = history->size();
    }
    std::printf(
        "fleet list, %zu cranes over 10000 readings: median %.1f ms (%.1f ms processor)"
        " (of 7)\n",
        cranes, median(fleetMs), median(fleetCpuMs));
    std::printf("one crane's history, %zu readings: median %.2f ms (of 41)\n", readings,
                median(historyMs));
    return 0;
}
