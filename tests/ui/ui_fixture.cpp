#include "ui_fixture.h"

#include "ui/main_window/Tirs48c_litm3_main.h"

#include <QFile>

namespace ui_test {

using namespace recorder;

sample::ImageBuilder craneReading() {
    sample::ImageBuilder b;
    b.setBankText(0, bank::kSerialNumber, bank::kSerialNumberWidth, "04127");
    b.setBankI8(0, bank::kModelDigit, 5);
    b.setBankI8(0, bank::kProgramVersion, 12);
    b.setBankI8(0, bank::kTablesVersion, 3);
    b.setBankI8(0, bank::kConfiguration, 2);
    b.setBankI8(0, bank::kRecorderVersion, 4);
    b.setBankText(0, bank::kLimiterMaker, bank::kLimiterMakerWidth, "НПП «Ограничитель»");
    b.setBankText(0, bank::kAdaptedCranes, bank::kAdaptedCranesWidth,
                  "КС-55713, КС-45717, КС-35714");
    b.setBankI16(0, bank::kCraneNumber, 1234);
    b.setBankI16(0, bank::kManufactureYear, 2006);
    b.setBankI8(0, bank::kModeGroup, 5);
    b.setBankText(0, bank::kCraneModel, bank::kCraneModelWidth, "КС-55713-1");
    b.putBytes(sample::ImageBuilder::bankBase(0) + bank::kInstallDate,
               std::array<std::uint8_t, 3>{0x15, 0x03, 0x06});
    b.setBankText(0, bank::kCraneMaker, bank::kCraneMakerWidth, "ОАО «Автокран»");
    b.setBankText(0, bank::kProgrammingOrganisation, bank::kProgrammingOrganisationWidth,
                  "Сервисный центр «Кран-Электро»");

    b.setBankF32(0, bank::kCharacteristicNumber, 12345.678f);
    const std::uint32_t load[15] = {9000, 8000, 7000, 6500, 6000, 5000, 4000, 3000,
                                    2000, 1000, 300,  120,  40,   10,   2};
    for (std::size_t i = 0; i < 15; ++i) {
        b.setBankU24(0, bank::kLoadCycles + 3 * i, load[i]);
        b.setBankU24(0, bank::kWorkCycles + 3 * i, load[i] / 3 + i);
    }
    b.setBankI32(0, bank::kTotalCycles, 51972);
    b.setBankI32(0, bank::kWinchSeconds, 360123);
    b.setBankI32(0, bank::kBoomAngleSeconds, 7261);
    b.setBankI32(0, bank::kBoomLengthSeconds, 59);
    b.setBankI32(0, bank::kSlewSeconds, 100000);
    b.setBankU24(0, bank::kMotorMinutes, 90);
    b.setBankI32(0, bank::kLiftedMass, 12345678);
    // Bank 1 a little ahead in some counters, behind in others.
    b.copyBank0ToBank1();
    b.setBankU24(1, bank::kLoadCycles, 9500);
    b.setBankI32(1, bank::kWinchSeconds, 360200);
    b.setBankI32(1, bank::kSlewSeconds, 99000);

    b.setPointers(sample::agreeingPointers(33, 0x1234, 20, 0, 0));
    for (std::size_t slot = 0; slot < recorder::kFrameTableSize; slot += 97) {
        sample::FrameFields f;
        f.at(slot < 3000 ? 28 : 29, 11, 6, 10, static_cast<int>(slot % 60), 5);
        f.boomLength = 1250;
        f.radius = static_cast<std::int16_t>(300 + slot % 1000);
        f.loadMass = static_cast<std::int16_t>(slot % 2500);
        f.loadPercent = static_cast<std::uint8_t>(slot % 130);
        b.setFrame(slot, f);
    }
    for (std::size_t i = 0; i < 20; ++i) {
        sample::OverloadFields o;
        o.on(29, 11, 6);
        o.radius = static_cast<std::int16_t>(500 + 10 * i);
        o.capacity = 1200;
        o.loadPercent = static_cast<std::uint8_t>(126 + i);
        o.mode = 3;
        b.setOverload(i, o);
    }
    b.fixAllBankChecks();
    b.fixImageSum();
    return b;
}

recorder::ServiceTexts serviceTexts() {
    return {"ООО «Кран-Сервис»", "ЗАО «Диагностика»", "Иванов И. И.",
            "УД-0042",           "31.12.2026",        "29.11.2006 14:05"};
}

namespace {

QString writeBytes(const QTemporaryDir& dir, const QString& name,
                   const std::vector<std::uint8_t>& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return {};
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    return path;
}

}  // namespace

QString writeReading(const QTemporaryDir& dir, const QString& name,
                     const sample::ImageBuilder& image) {
    return writeBytes(dir, name, image.fileBytes(serviceTexts()));
}

QString writeSample(const QTemporaryDir& dir, const QString& name,
                    const sample::SampleOptions& options) {
    return writeBytes(dir, name, sample::makeSampleReading(options));
}

recorder::Reading coreReading(const QString& path) {
    recorder::Reading reading;
    std::string error;
    recorder::loadReading(path.toStdString(), reading, {testSeparator()}, error);
    return reading;
}

void ProgramUnderTest::start() {
    dialogs = ScriptedDialogs();
    dialogs.describeModal = [](QDialog& dialog) {
        auto* log = qobject_cast<TForm_LogError*>(&dialog);
        return log ? log->text() : dialog.objectName();
    };
    windows = createProgramWindows(dialogs);
    main = windows.Form_TIRS48CMain.get();
}

void ProgramUnderTest::stop() {
    windows = ProgramWindows();
    main = nullptr;
}

void ProgramUnderTest::open(const QString& path) {
    dialogs.openAnswers.push_back(path);
    control<QAction>("Menu_OpenLITM3")->trigger();
}

}  // namespace ui_test
