// Templates written by LibreOffice itself: small HTML documents are turned into
// RTF by soffice at test time, merged by the engine, turned into PDF by soffice
// again and read back with pdftotext. Two soffice runs for the whole suite.
#include <gtest/gtest.h>

#include <ctime>
#include <map>
#include <string>
#include <vector>

#include "base/codepage.h"
#include "forms/create_form.h"
#include "office_tools.h"
#include "recorder/loader.h"
#include "rtf/report_engine.h"
#include "simulation/sample_reading/sample_reading.h"
#include "tests/support/fixed_time.h"

namespace {

namespace fs = std::filesystem;

struct Document {
    std::string name;
    std::string body;  // HTML inside <body>, UTF-8
};

const std::vector<Document>& documents() {
    static const std::vector<Document> docs = {
        {"plain", "<p>Кран #TipKrana# заводской номер #ZavNomerK#.</p>"},
        {"bold", "<p>Масса: <b>#SumMas#</b> всего</p>"},
        {"split",
         "<p>Ограничитель #Zav<b>Nomer</b>O#, модель #Mod<i>TI</i>RS# и "
         "#Godiz<span style=\"color:red\">got</span>O#</p>"},
        {"table",
         "<table border=\"1\"><tr><th>Нагрузка</th><th>Циклы</th></tr>"
         "<tr><td>до 10 %</td><td>#RCikl0#</td></tr>"
         "<tr><td>10 - 20 %</td><td><b>#RCikl10#</b></td></tr>"
         "<tr><td>свыше 140 %</td><td>#RCikl140#</td></tr></table>"},
        // A block marker in a paragraph of its own takes the paragraph's end
        // with it, so the row and the text after the block begin with a field.
        {"block",
         "<p>Механизмы крана #TipKrana#:</p><p>#1#</p><p>#Mech# — #Hours# ч</p>"
         "<p>#1#</p><p>#Footer# конец списка</p>"},
        {"cyrillic",
         "<h2>Владелец крана</h2><p>Владелец «#Vladelec#» — эксплуатирующая "
         "организация; изготовитель: #IzgotKrana#.</p>"},
        {"date", "<p>Дата составления: #DATE#, время #TIME#</p>"},
    };
    return docs;
}

std::string dataFile() {
    std::string utf8 =
        "|0:TipKrana:КС-45717К-1\r\n"
        "|0:ZavNomerK:1234\r\n"
        "|0:SumMas:1520,4 т.\r\n"
        "|0:ZavNomerO:50123654\r\n"
        "|0:ModTIRS:ТИРС-48С-07\r\n"
        "|0:GodizgotO:2005\r\n"
        "|0:RCikl0:101\r\n"
        "|0:RCikl10:202\r\n"
        "|0:RCikl140:303\r\n"
        "|1:Mech:Лебёдка|1:Hours:12,5\r\n"
        "|1:Mech:Стрела|1:Hours:7,25\r\n"
        "|0:Footer:Итого два.\r\n"
        "|0:Vladelec:ООО \"Кран-Сервис\"\r\n"
        "|0:IzgotKrana:Ивановский завод\r\n";
    return recorder::utf8ToCp1251(utf8);
}

std::tm fixedNow() {
    return test_support::localTime(2026, 12, 9, 14, 5);
}

// The PDF text of every merged document, made once for the suite.
class LibreOfficeTemplates : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        if (!office_test::toolsPresent()) return;
        dir_ = fs::temp_directory_path() / ("lo_templates_" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "html");
        std::vector<fs::path> html;
        for (const Document& doc : documents()) {
            fs::path file = dir_ / "html" / (doc.name + ".html");
            office_test::writeFile(file, "<html><head><meta charset=\"utf-8\"></head><body>" +
                                             doc.body + "</body></html>");
            html.push_back(file);
        }
        if (!office_test::convertAll(dir_, "rtf", html, dir_ / "rtf")) {
            failure_ = "soffice did not convert the HTML sources to RTF";
            return;
        }
        office_test::writeFile(dir_ / "data.txt", dataFile());
        RepoRTF_interface::SetClock(fixedNow);
        std::vector<fs::path> merged;
        fs::create_directories(dir_ / "merged");
        for (const Document& doc : documents()) {
            fs::path report = dir_ / "merged" / (doc.name + ".rtf");
            try {
                RepoRTF_interface::CreateReport(dir_ / "data.txt",
                                                dir_ / "rtf" / (doc.name + ".rtf"), report);
            } catch (const RepoRTF_interface::RepoRTF_Error& e) {
                failure_ = doc.name + ": " + e.Message;
            }
            merged.push_back(report);
        }
        RepoRTF_interface::SetClock({});
        makeReadyForms(merged);
        if (!office_test::convertAll(dir_, "pdf", merged, dir_ / "pdf")) {
            failure_ = "soffice did not convert the merged documents to PDF";
            return;
        }
        for (const fs::path& report : merged)
            texts_[report.stem().string()] =
                office_test::pdfText(dir_ / "pdf" / (report.stem().string() + ".pdf"));
    }

    // The three forms from the ready templates, on two generated readings of one
    // crane: the previous one read 20 working days before the last.
    static void makeReadyForms(std::vector<fs::path>& reports) {
        sample::SampleOptions options;
        options.seed = 7;
        const auto lastBytes = sample::makeSampleReading(options);
        recorder::Reading last;
        recorder::loadReading(recorder::DataFile(lastBytes), last, {','});
        // The same crane's earlier reading: its counters lower by known amounts.
        sample::SampleImage earlier = sample::buildSampleImage(options);
        for (int bank = 0; bank < 2; ++bank) {
            const std::size_t base = sample::ImageBuilder::bankBase(bank);
            const recorder::DataFile bytes(lastBytes);
            earlier.builder.setBankI32(bank, recorder::bank::kTotalCycles,
                                       bytes.i32(base + recorder::bank::kTotalCycles) - 1234);
            earlier.builder.setBankU24(bank, recorder::bank::kMotorMinutes,
                                       bytes.u24(base + recorder::bank::kMotorMinutes) - 90);
        }
        earlier.service.readingDate = "01.09.2024 08:00";
        forms::PreviousReading previous = forms::readPreviousReading(
            recorder::DataFile(earlier.builder.fileBytes(earlier.service)));
        lastTexts_ = last.texts;
        const fs::path templates = TIRS_TEMPLATES_DIR;
        fs::create_directories(dir_ / "forms");
        for (int form = 1; form <= 3; ++form) {
            const std::string name = "Форма " + std::to_string(form);
            fs::copy_file(templates / (name + ".rtf"), dir_ / "forms" / (name + ".rtf"),
                          fs::copy_options::overwrite_existing);
            const forms::FormFiles files{
                dir_ / "forms" / (name + ".rtf"),
                dir_ / "merged" / ("form" + std::to_string(form) + ".rtf")};
            try {
                recorder::Reading reading = last;
                if (form == 3) forms::createForm3(reading, files);
                if (form == 2) forms::createForm2(reading, previous, files, {','});
                if (form == 1)
                    period_ = *forms::createForm1(reading, previous, files, {','}).period;
            } catch (const forms::FormError& e) {
                failure_ = name + ": " + e.what();
            }
            reports.push_back(files.reportFile);
        }
    }
    static void TearDownTestSuite() {
        std::error_code ec;
        if (!dir_.empty() && !HasFailure()) fs::remove_all(dir_, ec);
    }

    void SetUp() override {
        if (!office_test::toolsPresent()) GTEST_SKIP() << "soffice or pdftotext missing";
        ASSERT_EQ(failure_, "");
    }

    // The document's text with line breaks as blanks, so a value split over
    // lines by the layout still reads whole.
    static std::string text(const std::string& name) {
        std::string t = texts_.at(name);
        for (char& c : t)
            if (c == '\n' || c == '\f') c = ' ';
        return t;
    }

    static void expectMerged(const std::string& name, const std::vector<std::string>& inOrder) {
        std::string t = text(name);
        std::size_t at = 0;
        for (const std::string& piece : inOrder) {
            std::size_t found = t.find(piece, at);
            EXPECT_NE(found, std::string::npos)
                << name << ": \"" << piece << "\" missing or out of "
                << "place in:\n"
                << t;
            if (found != std::string::npos) at = found + piece.size();
        }
        EXPECT_EQ(t.find('#'), std::string::npos) << name << ": a field is left:\n" << t;
    }

    static inline fs::path dir_;
    static inline std::string failure_;
    static inline std::map<std::string, std::string> texts_;
    static inline recorder::DisplayTexts lastTexts_;
    static inline forms::TestPeriod period_;
};

TEST_F(LibreOfficeTemplates, PlainBoldAndSplitFieldsAreFilled) {
    expectMerged("plain", {"Кран КС-45717К-1 заводской номер 1234."});
    expectMerged("bold", {"Масса: 1520,4 т. всего"});
    // LibreOffice ends the control words inside a formatted name with a line break.
    expectMerged("split", {"Ограничитель 50123654, модель ТИРС-48С-07 и 2005"});
}

TEST_F(LibreOfficeTemplates, TableCellsAndBlockRows) {
    expectMerged("table",
                 {"Нагрузка", "Циклы", "до 10 %", "101", "10 - 20 %", "202", "свыше 140 %", "303"});
    expectMerged("block", {"Механизмы крана КС-45717К-1:", "Лебёдка — 12,5 ч", "Стрела — 7,25 ч",
                           "Итого два. конец списка"});
}

TEST_F(LibreOfficeTemplates, CyrillicTextAndDateAroundFields) {
    expectMerged("cyrillic", {"Владелец крана",
                              "Владелец «ООО \"Кран-Сервис\"» — "
                              "эксплуатирующая организация; изготовитель: "
                              "Ивановский завод."});
    expectMerged("date", {"Дата составления: 09.12.2026, время 14:05"});
}

TEST_F(LibreOfficeTemplates, ReadyFormsShowTheCraneCountersAndDifferences) {
    const auto& t = lastTexts_;
    for (const char* form : {"form1", "form2", "form3"}) {
        SCOPED_TRACE(form);
        expectMerged(
            form,
            {"Тип (модель) крана " + t.get("Edit_MKran"),
             "Изготовитель крана " + t.get("Edit_IzgotKran"),
             "Заводской номер крана " + t.get("Edit_NKran"), "Владелец крана " + t.get("Edit_Vlad"),
             "Модель ограничителя " + t.get("Edit_ModTIRS"),
             "Заводской номер ограничителя " + t.get("Edit_NTIRS"),
             "Изготовитель ограничителя " + t.get("Edit_IzgotTIRS"),
             "рабочую программу " + t.get("Edit_NalOrg"), "до 10 " + t.get("Edit_ON_10"),
             "свыше 140 " + t.get("Edit_ON_b140"), "Считывание выполнил " + t.get("Edit_Name"),
             "Номер удостоверения " + t.get("Edit_NUd"), "Дата составления: "});
    }
    expectMerged("form3", {"Сведения регистратора параметров крана",
                           "по результатам считывания " + t.get("Edit_DataSch"),
                           "(моточасы), ч:мин:с " + t.get("L_TimeAll"),
                           "Суммарная масса поднятых грузов " + t.get("Label_QSum"),
                           "Характеристическое число текущее " + t.get("Edit_HarCh"),
                           "нормативное для группы крана " + t.get("Label_NHarch")});
    for (const char* form : {"form1", "form2"}) {
        SCOPED_TRACE(form);
        expectMerged(form, {"между считываниями 01.09.2024 08:00 и " + t.get("Edit_DataSch"),
                            "(моточасы), ч:мин:с 1:30:00", "Масса поднятых грузов 0,0 т.",
                            "Общее число циклов нагружения 1234",
                            "на предыдущем считывании " + t.get("Edit_HarCh"),
                            "механизм подъёма груза, ч:мин:с 0:00:00"});
    }
    expectMerged("form1", {"Начало и окончание испытаний (дата, время) " + period_.TimeIsp,
                           "за период испытаний " + period_.KadrIsp});
}

}  // namespace
