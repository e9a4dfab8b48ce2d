// The forms' computing half on generated readings: the exact data files, the
// previous reading read straight from its bytes, the differences, the test
// period, and the one call per form with its failures.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "base/codepage.h"
#include "base/utf8_path.h"
#include "forms/create_form.h"
#include "forms_fixture.h"
#include "rtf/report_engine.h"
#include "tests/support/fixed_time.h"

namespace {

namespace fs = std::filesystem;
using namespace forms_test;

const BankValues kLast{0.57f, 500, 20000500, 10000, 1500, 123456};

std::string joinCrLf(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines) out += line + "\r\n";
    return out;
}

std::vector<std::string> form3Lines(const recorder::Reading& r) {
    std::vector<std::string> lines = {"|0:TipKrana:КС-45717К-1",
                                      "|0:IzgotKrana:Ивановский завод",
                                      "|0:ZavNomerK:1234",
                                      "|0:GodIzgotK:2005 г.",
                                      "|0:Vladelec:ООО «Стройкран»",
                                      "|0:GruppaClass:A5",
                                      "|0:ModTIRS:ТИРС-48С-07",
                                      "|0:ZavNomerO:50123654",
                                      "|0:GodIzgotO:2005",
                                      "|0:IzgotTIRS:Кранприбор",
                                      "|0:DateUstRP:12.03.06",
                                      "|0:OrgProg:Сервис-Кран",
                                      "|0:nMotoH:25:00:00",
                                      "|0:SumMas:1234,6 т.",
                                      "|0:HTek:0,57",
                                      "|0:HNorm:" + r.texts.get("Label_NHarch"),
                                      "|0:SumCicl:20000500"};
    const char* keys[] = {"0",  "10", "20",  "30",  "40",  "50",  "60", "70",
                          "80", "90", "100", "110", "120", "130", "140"};
    for (int band = 0; band < 15; ++band)
        lines.push_back("|0:RCikl" + std::string(keys[band]) + ":" + std::to_string(100 + band));
    for (std::string line :
         {"|0:TimeLe:2:46:40", "|0:TimeAL:1:00:00", "|0:TimeL:0:00:59", "|0:TimeGa:2:00:00",
          "|0:DateTimeSchit:02.12.2006 10:00", "|0:NameOper:Петров П.П.",
          "|0:OrgOper:Кранэкспертиза", "|0:NomUdost:ТН-0417", "|0:SrokUdost:15.09.2026"})
        lines.push_back(line);
    return lines;
}

std::string readBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class FormFiles : public testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("forms_core_" + std::to_string(::getpid()) + "_" +
                testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_ / base::pathFromUtf8(forms::kTemplateFolder));
        for (int form = 1; form <= 3; ++form) {
            std::ofstream(dir_ / base::pathFromUtf8(forms::kTemplateFolder) /
                          base::pathFromUtf8("Форма " + std::to_string(form) + ".rtf"))
                << "{\\rtf1 #TipKrana# #SumCicl# #KadrIsp#}";
        }
    }
    void TearDown() override { fs::remove_all(dir_); }
    forms::FormFiles files(int form, const recorder::Reading& r) const {
        return forms::startDirectoryFiles(form, dir_, r, now_);
    }
    fs::path dir_;
    std::tm now_ = test_support::localTime(2006, 12, 8, 14, 5);
};

TEST_F(FormFiles, Form3WritesItsExactDataFileAndReport) {
    recorder::Reading r = loadLast(lastImage(kLast));
    const std::string expected = recorder::utf8ToCp1251(joinCrLf(form3Lines(r)));
    EXPECT_EQ(forms::form3DataFile(r).Lines().size(), 41u);
    forms::FormResult result = forms::createForm3(r, files(3, r));
    EXPECT_EQ(result.dataFile, dir_ / u8"Шаблоны форм" / u8"Форма 3.txt");
    EXPECT_EQ(readBytes(result.dataFile), expected);
    EXPECT_EQ(result.report, dir_ / u8"Формы" / u8"Форма 3 (КС-45717К-1 №1234 08.12.06 14-05).rtf");
    EXPECT_EQ(readBytes(result.report), recorder::utf8ToCp1251("{\\rtf1 КС-45717К-1 20000500 }"));
}

// An operator's text may hold anything, the data file's and the engine's own
// delimiters too: the form prints it whole, in an RTF and in a plain template.
TEST_F(FormFiles, AShownTextReachesTheFormWhole) {
    recorder::Reading r = loadLast(lastImage(kLast));
    r.texts.set("Edit_Vlad",
                "ООО {Кран}\\Сервис |0: №5 |1:x |EOL: |EOP: |BAR: |DOS: |WIN: #A# ## :| \x03"
                "B\x03 \x02"
                "1** |\r\nконец|");
    const std::string rest =
        " |1:x |EOL: |EOP: |BAR: |DOS: |WIN: #A# ## :| \x03"
        "B\x03 \x02"
        "1** |";
    const fs::path templ = dir_ / base::pathFromUtf8(forms::kTemplateFolder) / u8"Форма 3.rtf";
    std::ofstream(templ) << "{\\rtf1 [#Vladelec#] #B#}";
    forms::FormResult result = forms::createForm3(r, files(3, r));
    EXPECT_EQ(readBytes(result.report),
              recorder::utf8ToCp1251("{\\rtf1 [ООО \\'7BКран\\'7D\\'5CСервис |0: №5" + rest +
                                     "{\\par}конец|] }"));
    std::ofstream(templ, std::ios::trunc) << "[#Vladelec#]";
    result = forms::createForm3(r, files(3, r));
    EXPECT_EQ(readBytes(result.report),
              recorder::utf8ToCp1251("[ООО {Кран}\\Сервис |0: №5" + rest + "\r\nконец|]"));
}

TEST_F(FormFiles, Forms2And1WriteTheComparisonInTheirOrder) {
    recorder::Reading r = loadLast(lastImage(kLast));
    const recorder::DataFile previous = previousFile(previousImage(
        {0.5f, 100, 100, 9000, 1000, 100000}, {0.25f, 120, 20000000, 100, 1000, 100000}));
    forms::createForm1(r, forms::readPreviousReading(previous), files(1, r), {','});
    std::vector<std::string> lines = form3Lines(r);
    lines[12] = "|0:nMotoH:8:20:00";
    lines[13] = "|0:SumMas:234,6 т.";
    lines[14] = "|0:HHome:0,50";
    lines[15] = "|0:HEnd:0,57";
    lines[16] = "|0:SumCicl:500";
    lines[32] = "|0:TimeLe:0:16:40";
    lines[34] = "|0:TimeL:0:00:00";  // the previous reading's 59 s
    lines[33] = "|0:TimeAL:0:00:00";
    lines[35] = "|0:TimeGa:0:00:00";
    lines.insert(lines.begin() + 37, "|0:DateTimeSchitPrev:28.11.2006 15:00");
    std::vector<std::string> form2 = lines;
    lines.insert(lines.begin() + 38,
                 {"|0:TimeIsp:28.11.06 14:05:59 - 02.12.06 09:30:00", "|0:KadrIsp:5120 - 7269"});
    EXPECT_EQ(readBytes(dir_ / u8"Шаблоны форм" / u8"Форма 1.txt"),
              recorder::utf8ToCp1251(joinCrLf(lines)));
    EXPECT_EQ(lines.size(), 44u);

    forms::createForm2(r, forms::readPreviousReading(previous), files(2, r), {','});
    EXPECT_EQ(readBytes(dir_ / u8"Шаблоны форм" / u8"Форма 2.txt"),
              recorder::utf8ToCp1251(joinCrLf(form2)));
    EXPECT_EQ(form2.size(), 42u);
    EXPECT_TRUE(fs::exists(dir_ / u8"Формы" / u8"Форма 2 (КС-45717К-1 №1234 08.12.06 14-05).rtf"));
}

TEST(PreviousReading, EachValueComesFromTheLargerBank) {
    recorder::Reading r = loadLast(lastImage(kLast));
    const forms::PreviousReading p = forms::readPreviousReading(previousFile(previousImage(
        {0.5f, 100, 100, 9000, 1000, 100000}, {0.25f, 120, 20000000, 100, 999, 100001})));
    EXPECT_FLOAT_EQ(p.counters.CharacteristicNumber, 0.5f);
    EXPECT_EQ(p.counters.LoadCycles[3], 120u);
    EXPECT_EQ(p.counters.TotalCycles, 20000000);  // above 16777215: all four bytes
    EXPECT_EQ(p.counters.WinchSeconds, 9000);
    EXPECT_EQ(p.counters.MotorMinutes, 1000u);
    EXPECT_EQ(p.counters.LiftedMass, 100001);
    EXPECT_EQ(p.ReadingDate, "28.11.2006 15:00");
    forms::showDifferences(r, forms::counterDifferences(r.counters, p), {','});
    EXPECT_EQ(r.texts.get("Edit_N_40"), "380");
    EXPECT_EQ(r.texts.get("Edit_N_50"), "0");
    EXPECT_EQ(r.texts.get("Edit_ON_40"), "103");  // work cycles stay as loaded
    EXPECT_EQ(forms::counterDifferences(r.counters, p).TotalCycles, 500);
}

TEST(PreviousReading, SameFileTwiceAndSecondRunsGiveTheSameDifferences) {
    const sample::ImageBuilder image = lastImage(kLast);
    recorder::Reading r = loadLast(image);
    const forms::PreviousReading same =
        forms::readPreviousReading(recorder::DataFile(image.fileBytes(lastService())));
    for (int run = 0; run < 2; ++run) {
        const forms::CounterDifferences d = forms::counterDifferences(r.counters, same);
        forms::showDifferences(r, d, {','});
        const auto file = forms::form2DataFile(r, same, d, {','});
        const auto& lines = file.Lines();
        EXPECT_EQ(lines[12], "|0:nMotoH:0:00:00");
        EXPECT_EQ(lines[13], "|0:SumMas:0,0 т.");
        EXPECT_EQ(lines[14].substr(8), lines[15].substr(7));  // HHome = HEnd
        EXPECT_EQ(lines[16], "|0:SumCicl:0");
        EXPECT_EQ(lines[17], "|0:RCikl0:100");
        EXPECT_EQ(lines[32], "|0:TimeLe:0:00:00");
        EXPECT_EQ(r.texts.get("Edit_N_40"), "0") << "run " << run;
    }
    // A run against another previous reading after that still starts from the loaded values.
    const forms::PreviousReading other = forms::readPreviousReading(
        previousFile(previousImage({0, 100, 100, 9000, 1000, 100000}, {})));
    forms::showDifferences(r, forms::counterDifferences(r.counters, other), {','});
    EXPECT_EQ(r.texts.get("Edit_N_40"), "400");
    EXPECT_EQ(r.texts.get("E_LEsec"), "0:16:40");
}

TEST(PreviousReading, SwappedReadingsGiveNegativeDifferences) {
    recorder::Reading r = loadLast(lastImage({0.5f, 100, 100, 9900, 1000, 100000}));
    const forms::PreviousReading later =
        forms::readPreviousReading(recorder::DataFile(lastImage(kLast).fileBytes(lastService())));
    const forms::CounterDifferences d = forms::counterDifferences(r.counters, later);
    forms::showDifferences(r, d, {'.'});
    EXPECT_EQ(r.texts.get("Edit_N_40"), "-400");
    EXPECT_EQ(d.TotalCycles, -20000400);
    EXPECT_EQ(r.texts.get("E_LEsec"), "-0:01:40");
    EXPECT_EQ(r.texts.get("L_TimeAll"), "-8:20:00");
    EXPECT_EQ(r.texts.get("Label_QSum"), "-234.6 т.");
}

TEST(PreviousReading, ShortDamagedAndHugeFilesNeverReadBeyondTheirBytes) {
    const auto bytes = previousImage({0.5f, 100, 100, 9000, 1000, 100000}, {})
                           .fileBytes({"", "", "", "", "", "28.11.2006 15:00"});
    // Shorter than the characteristic number: every value zero, empty date, the
    // pointer reads 0 and so 33, whose frame lies beyond the end as well.
    const forms::PreviousReading shortOne = forms::readPreviousReading(
        recorder::DataFile(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 232517)));
    EXPECT_EQ(shortOne.counters.CharacteristicNumber, 0.0f);
    EXPECT_EQ(shortOne.counters.TotalCycles, 0);
    EXPECT_EQ(shortOne.ReadingDate, "");
    EXPECT_EQ(shortOne.BufferFrameCount, 33);
    EXPECT_EQ(shortOne.EndDate + " " + shortOne.EndTime, "00.00.00 00:00:00");
    recorder::Reading r = loadLast(lastImage(kLast));
    forms::showDifferences(r, forms::counterDifferences(r.counters, shortOne), {','});
    EXPECT_EQ(r.texts.get("Edit_N_40"), "500");
    EXPECT_EQ(r.texts.get("Label_QSum"), "1234,6 т.");
    EXPECT_EQ(forms::form2DataFile(r, shortOne, {}, {','}).Lines()[14], "|0:HHome:0,00");

    // A voted count above 33 reads its frame at the same formula, further in.
    sample::ImageBuilder far;
    far.setPointers(sample::agreeingPointers(200, 0, 0, 0, 0));
    far.putBytes(232984 + 32 * 199, std::vector<std::uint8_t>{0x01, 0x02, 0x03, 0x04, 0x05, 0x06});
    const auto farBytes = far.fileBytes({});
    forms::PreviousReading p = forms::readPreviousReading(recorder::DataFile(farBytes));
    EXPECT_EQ(p.BufferFrameCount, 200);
    EXPECT_EQ(p.EndDate + " " + p.EndTime, "01.02.03 06:05:04");
    p = forms::readPreviousReading(
        recorder::DataFile(std::vector<std::uint8_t>(farBytes.begin(), farBytes.begin() + 239355)));
    EXPECT_EQ(p.EndDate + " " + p.EndTime, "01.02.03 00:00:00");

    // From a file: a huge one is read only as far as its values go; a missing one fails.
    const fs::path huge = fs::temp_directory_path() / ("forms_huge_" + std::to_string(::getpid()));
    {
        std::ofstream out(huge, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        out.seekp(50'000'000);
        out.put('x');
    }
    std::string error;
    ASSERT_TRUE(forms::readPreviousReadingFile(huge, p, error)) << error;
    EXPECT_EQ(p.ReadingDate, "28.11.2006 15:00");
    EXPECT_EQ(p.counters.LoadCycles[3], 100u);
    fs::remove(huge);
    EXPECT_FALSE(forms::readPreviousReadingFile(huge, p, error));
    EXPECT_NE(error, "");
}

TEST(TestPeriod, FirstMatchingSlotOrZeroAndTheVotedFrame) {
    const recorder::Reading r = loadLast(lastImage(kLast));
    auto period = [&](const sample::ImageBuilder& previous) {
        return forms::findTestPeriod(r, forms::readPreviousReading(previousFile(previous)));
    };
    forms::TestPeriod found = period(previousImage({}, {}, 4));
    EXPECT_TRUE(found.found);
    EXPECT_EQ(found.KadrIsp, "5120 - 7269");  // the lower of slots 5120 and 6000
    EXPECT_EQ(found.TimeIsp, "28.11.06 14:05:59 - 02.12.06 09:30:00");

    sample::ImageBuilder other = previousImage({}, {}, 4);
    other.setFrame(recorder::kPageFrames + 3, sample::FrameFields().at(27, 11, 6, 14, 5, 59));
    forms::TestPeriod missing = period(other);
    EXPECT_FALSE(missing.found);
    EXPECT_EQ(missing.KadrIsp, "0 - 7269");
    EXPECT_EQ(missing.TimeIsp, "27.11.06 14:05:59 - 02.12.06 09:30:00");

    // Copies 5, 5, 9 vote 5: the frame at 233112. Copies 0, 0, 0: 33, at 234008.
    sample::ImageBuilder copies = previousImage({}, {}, 5);
    recorder::PointerBlock pointers = sample::agreeingPointers(5, 0, 0, 0, 0);
    pointers.frame = {5, 5, 9};
    copies.setPointers(pointers);
    EXPECT_EQ(period(copies).FirstFrame, 5120);
    pointers.frame = {0, 0, 0};
    copies.setPointers(pointers);
    copies.putBytes(234008, std::vector<std::uint8_t>{0x02, 0x12, 0x06, 0x00, 0x30, 0x09});
    EXPECT_EQ(period(copies).KadrIsp, "7269 - 7269");
}

TEST_F(FormFiles, FailuresSayWhyAndNamesStayInTheirFolder) {
    recorder::Reading r = loadLast(lastImage(kLast));
    // A crane model that would point elsewhere stays a plain file name.
    r.texts.set("Edit_MKran", "../x:y");
    EXPECT_EQ(forms::reportFileName(3, r, now_), "Форма 3 (.._x_y №1234 08.12.06 14-05).rtf");
    forms::FormResult made = forms::createForm3(r, files(3, r));
    EXPECT_EQ(made.report.parent_path(), dir_ / u8"Формы");
    EXPECT_TRUE(fs::exists(made.report));

    // The engine's message with its cause; the data file stays written.
    fs::remove(dir_ / u8"Шаблоны форм" / u8"Форма 3.rtf");
    fs::remove(made.dataFile);
    try {
        forms::createForm3(r, files(3, r));
        ADD_FAILURE() << "no error";
    } catch (const forms::FormError& e) {
        EXPECT_STREQ(e.what(), "Не открыт файл шаблона\nПричина: файл или папка не существует.");
    }
    EXPECT_TRUE(fs::exists(made.dataFile));

    // An empty limiter serial number: nothing written, nothing shown changed.
    r.texts.set("Edit_NTIRS", "");
    const std::string shownBefore = r.texts.get("Edit_N_40");
    fs::remove(dir_ / u8"Шаблоны форм" / u8"Форма 2.txt");
    EXPECT_THROW(forms::createForm2(r, forms::PreviousReading{}, files(2, r), {','}),
                 forms::FormError);
    EXPECT_THROW(forms::createForm3(r, files(3, r)), forms::FormError);
    EXPECT_FALSE(fs::exists(dir_ / u8"Шаблоны форм" / u8"Форма 2.txt"));
    EXPECT_EQ(r.texts.get("Edit_N_40"), shownBefore);

    // A missing template folder: the data file cannot be written, and the message says so.
    r.texts.set("Edit_NTIRS", "5");
    fs::remove_all(dir_ / u8"Шаблоны форм");
    try {
        forms::createForm3(r, files(3, r));
        ADD_FAILURE() << "no error";
    } catch (const forms::FormError& e) {
        EXPECT_NE(std::string(e.what()).find("Нет папки шаблонов"), std::string::npos);
    }
}

}  // namespace

namespace {

// A previous reading of the loaded limiter (50123654, ТИРС-48С-07) read on `date`.
forms::PreviousReading previousOf(const BankValues& values, const std::string& date,
                                  const std::string& serial = "50123654", int model = 7) {
    sample::ImageBuilder b = previousImage(values, values);
    b.setBankText(0, recorder::bank::kSerialNumber, recorder::bank::kSerialNumberWidth, serial);
    b.setBankI8(0, recorder::bank::kModelDigit, static_cast<std::int8_t>(model));
    return forms::readPreviousReading(recorder::DataFile(b.fileBytes({"", "", "", "", "", date})));
}

}  // namespace

// Only an earlier reading of the same limiter is compared; the refusals name
// what differs, and the same file twice is still comparable (all zeros).
TEST(PreviousCheck, SameLimiterEarlierOnlyAndTheMessagesSayWhy) {
    using forms::PreviousVerdict;
    const sample::ImageBuilder image = lastImage(kLast);
    const recorder::Reading r = loadLast(image);
    const BankValues earlier{0.5f, 100, 100, 9000, 1000, 100000};
    const forms::PreviousReading good = previousOf(earlier, "28.11.2006 15:00");
    EXPECT_EQ(forms::checkPreviousReading(r, good).verdict, PreviousVerdict::Comparable);
    EXPECT_EQ(forms::differencesCaption(r, good),
              "Разности между считываниями 28.11.2006 и 02.12.2006");
    const forms::PreviousReading same =
        forms::readPreviousReading(recorder::DataFile(image.fileBytes(lastService())));
    EXPECT_EQ(forms::checkPreviousReading(r, same).verdict, PreviousVerdict::Comparable);

    const auto refused = [&](const forms::PreviousReading& p, PreviousVerdict verdict,
                             std::initializer_list<const char*> words) {
        const forms::PreviousCheck check = forms::checkPreviousReading(r, p);
        EXPECT_EQ(check.verdict, verdict) << check.message;
        for (const char* word : words)
            EXPECT_NE(check.message.find(word), std::string::npos) << word << ": " << check.message;
    };
    refused(previousOf(earlier, "28.11.2006 15:00", "50123655"), PreviousVerdict::OtherLimiter,
            {"ТИРС-48С-07 № 50123655", "ТИРС-48С-07 № 50123654"});
    refused(previousOf(earlier, "28.11.2006 15:00", "50123654", 5), PreviousVerdict::OtherLimiter,
            {"ТИРС-48С-05", "ТИРС-48С-07"});
    refused(previousOf(earlier, "03.12.2006 09:00"), PreviousVerdict::Swapped,
            {"03.12.2006 09:00", "02.12.2006 10:00", "позже"});
    refused(previousOf({0.5f, 100, 100, 9000, 2000, 100000}, "28.11.2006 15:00"),
            PreviousVerdict::Swapped, {"моточасы", "33:20:00", "25:00:00"});
    refused(previousOf({0.5f, 600, 100, 9000, 1000, 100000}, "28.11.2006 15:00"),
            PreviousVerdict::Swapped, {"циклов нагружения", "600", "500"});
    // A date that is no date (an old or hand-made file) leaves the counters to decide.
    EXPECT_EQ(forms::checkPreviousReading(r, previousOf(earlier, "")).verdict,
              PreviousVerdict::Comparable);
}
