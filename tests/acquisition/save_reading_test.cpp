// Saving a reading: the data file's exact layout and the proposed name (a
// write that fails: save_reading_posix_test.cpp).

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "acquisition/save_reading.h"
#include "base/codepage.h"
#include "base/utf8_path.h"
#include "save_reading_fixture.h"
#include "tests/support/fixed_time.h"

namespace fs = std::filesystem;
using acqtest::RecordingSink;
using acqtest::SaveReading;

namespace {

std::string slotBytes(const std::vector<std::uint8_t>& file, recorder::TextSlot slot) {
    return std::string(file.begin() + static_cast<long>(slot.offset),
                       file.begin() + static_cast<long>(slot.offset + slot.width));
}

std::string padded(const std::string& utf8, std::size_t width) {
    std::string bytes = recorder::utf8ToCp1251(utf8);
    bytes.resize(width, '\0');
    return bytes;
}

}  // namespace

TEST_F(SaveReading, WritesTheImageAndTheSixTextsInTheirSlots) {
    const auto image = acqtest::patternedImage(7);
    recorder::ServiceTexts texts;
    texts.owner = "ООО «Кран» " + std::string(60, 'x');  // longer than its 50-byte slot
    texts.serviceOrganisation = "";                      // empty: slot stays zeros
    texts.operatorName = "Петров П.П.";
    texts.certificateNumber = "12345678901234567890";  // exactly fills 20 bytes
    texts.certificateValidUntil = "31.12.2027";
    texts.readingDate = "08.12.2026 13:45";

    RecordingSink sink;
    int unsaved = 1;
    const fs::path target = dir / base::pathFromUtf8("КС-55713 №1234 08.12.26 13-45.litm");
    const auto result = acquisition::saveReading(target, image, texts, sink, unsaved);
    ASSERT_TRUE(result.ok) << result.message;

    const auto file = acqtest::fileBytes(target);
    ASSERT_EQ(file.size(), 270537u);
    EXPECT_TRUE(std::equal(image.begin(), image.end(), file.begin()));
    EXPECT_EQ(file[270336], 0) << "gap byte";

    namespace t = recorder::trailer;
    EXPECT_EQ(slotBytes(file, t::kOwner), recorder::utf8ToCp1251(texts.owner).substr(0, 50))
        << "an over-long text is cut at its slot's end";
    EXPECT_EQ(slotBytes(file, t::kServiceOrganisation), std::string(50, '\0'));
    EXPECT_EQ(slotBytes(file, t::kOperatorName), padded("Петров П.П.", 50));
    EXPECT_EQ(slotBytes(file, t::kCertificateNumber), "12345678901234567890");
    EXPECT_EQ(slotBytes(file, t::kCertificateValidUntil), padded("31.12.2027", 13))
        << "a 10-character date leaves 270517..270519 zero";
    EXPECT_EQ(slotBytes(file, t::kReadingDate), padded("08.12.2026 13:45", 17))
        << "the date of reading ends with its NUL, the file's last byte";

    EXPECT_EQ(sink.text, "Информация сохранена в файле: КС-55713 №1234 08.12.26 13-45.litm");
    EXPECT_EQ(sink.colour, acquisition::StatusColour::ButtonFace);
    EXPECT_EQ(unsaved, 0);
    ASSERT_FALSE(sink.gaugeValues.empty());
    EXPECT_EQ(*std::max_element(sink.gaugeValues.begin(), sink.gaugeValues.end()), 100);
    EXPECT_EQ(sink.gauge, 0);
    EXPECT_EQ(filesInDir(), 1u) << "no temporary file is left behind";
}

TEST_F(SaveReading, ReplacesAnEarlierFileOfTheSameName) {
    const fs::path target = dir / "reading.litm";
    std::ofstream(target) << "older content that is longer than nothing";
    RecordingSink sink;
    int unsaved = 1;
    const std::vector<std::uint8_t> zeros(recorder::kImageSize, 0);
    ASSERT_TRUE(acquisition::saveReading(target, zeros, {}, sink, unsaved).ok);
    const auto file = acqtest::fileBytes(target);
    EXPECT_EQ(file.size(), 270521u) << "an empty date of reading still gets its NUL";
    EXPECT_TRUE(std::all_of(file.begin(), file.end(), [](auto b) { return b == 0; }));
}

TEST(ProposedFileName, ModelNumberAndDate) {
    const std::tm now = test_support::localTime(2026, 12, 8, 9, 5);
    EXPECT_EQ(acquisition::proposedFileName(acqtest::patternedImage(0, "КС-55713", 1234), now),
              "КС-55713 №1234 08.12.26 09-05");
    EXPECT_EQ(acquisition::proposedFileName(std::vector<std::uint8_t>(recorder::kImageSize), now),
              " №0 08.12.26 09-05")
        << "a blank image: no model, number 0";
    EXPECT_EQ(acquisition::proposedFileName(acqtest::patternedImage(0, "КС-3577/4", -1), now),
              "КС-3577_4 №-1 08.12.26 09-05")
        << "the number is signed; a slash would make the name a path";
    EXPECT_EQ(acquisition::proposedFileName(acqtest::patternedImage(0, "АБВГДЕЖЗИКЛМНОПРС"), now),
              "АБВГДЕЖЗИКЛМНОП №1234 08.12.26 09-05")
        << "the model slot holds 15 characters without a NUL";

    EXPECT_EQ(acquisition::formatReadingDate(now), "08.12.2026 09:05");
}
