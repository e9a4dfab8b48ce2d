// A saved selection as a Russian spreadsheet user opens it: LibreOffice reads
// the CSV with the separator given and finds the character set itself; the
// sheet shows the grid's Cyrillic captions, the Cyrillic statuses, the dates
// and the bit strings with their leading zeros.

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "office_tools.h"
#include "recorder/loader.h"
#include "recorder/record_csv.h"
#include "simulation/sample_reading/sample_reading.h"

namespace fs = std::filesystem;

namespace {

TEST(SpreadsheetCsv, OpensWithCyrillicCaptionsValuesAndBitStrings) {
    if (!office_test::toolsPresent()) GTEST_SKIP() << "soffice is not installed";
    const fs::path dir =
        fs::temp_directory_path() / ("csv_sheet_" + std::to_string(std::random_device()()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    office_test::writeFile(dir / "good.litm", [] {
        const auto bytes = sample::makeSampleReading({});
        return std::string(bytes.begin(), bytes.end());
    }());
    recorder::Reading reading;
    std::string error;
    ASSERT_TRUE(recorder::loadReading((dir / "good.litm").string(), reading, {','}, error));

    // Frames whose input bits start with a zero, so a number would lose it.
    std::vector<const recorder::FrameRecord*> frames;
    for (const auto& f : reading.FrameTable)
        if (frames.size() < 5 && f.Status == "Норма" && f.InputBits1[0] == '0')
            frames.push_back(&f);
    ASSERT_EQ(frames.size(), 5u);
    std::vector<const recorder::OverloadRecord*> overloads = {&reading.OverloadTable[0]};
    office_test::writeFile(dir / "Кадры.csv", recorder::framesCsv(frames, ';'));
    office_test::writeFile(dir / "Перегрузки.csv", recorder::overloadsCsv(overloads, ';'));
    ASSERT_TRUE(office_test::convertCsvToHtml(dir, {dir / "Кадры.csv", dir / "Перегрузки.csv"}, ';',
                                              dir / "out"));

    const std::string sheet = office_test::htmlCells(dir / "out" / "Кадры.html");
    EXPECT_EQ(sheet.rfind("Номер кадра|Дата записи|Время записи|Угол наклона стрелы, град|", 0), 0u)
        << sheet.substr(0, 200);
    EXPECT_NE(sheet.find("|Введенные/Сработав. огран.|"), std::string::npos);
    for (const recorder::FrameRecord* f : frames) {
        const std::string row = std::to_string(f->Number) + "|" + f->Date + "|" + f->Time + "|";
        ASSERT_NE(sheet.find("\n" + row), std::string::npos) << row << "\n" << sheet;
        std::string line = sheet.substr(sheet.find("\n" + row) + 1);
        line = line.substr(0, line.find('\n'));
        EXPECT_NE(line.find("|" + f->InputBits1 + "|" + f->InputBits2 + "|"), std::string::npos)
            << line;
        EXPECT_NE(line.find("|" + f->LimitBits + "|"), std::string::npos) << line;
        EXPECT_TRUE(line.ends_with("|Норма")) << line;
    }

    const std::string records = office_test::htmlCells(dir / "out" / "Перегрузки.html");
    const auto& o = reading.OverloadTable[0];
    EXPECT_EQ(records,
              "Номер кадра|Дата перегрузки|Номер рабочего режима|Степень загрузки, %|"
              "Фактический вылет, м|Грузоподъемность, т|Контрольная сумма\n"
              "0|" +
                  o.Date + "|" + std::to_string(o.ModeNumber) + "|" +
                  std::to_string(o.LoadPercent) + "|" + recorder::shortestNumber(o.Radius, ',') +
                  "|" + recorder::shortestNumber(o.Capacity, ',') + "|" + o.Status + "\n");
    fs::remove_all(dir);
}

}  // namespace
