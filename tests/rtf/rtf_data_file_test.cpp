// The report data file the forms write.
#include <gtest/gtest.h>

#include <system_error>

#include "rtf/report_data_file.h"
#include "rtf/report_engine.h"
#include "rtf_test_support.h"

namespace {

using RepoRTF_interface::ReportDataFile;

TEST(RtfDataFile, LinesAreLevelZeroPairsInWin1251WithCrLf) {
    ReportDataFile file;
    file.Add("TipKrana", "КС-45717");
    file.Add("Vladelec", "");
    file.Add("GodIzgotK", "2005 г.");
    EXPECT_EQ(file.Lines().size(), 3u);
    EXPECT_EQ(file.Lines()[1], "|0:Vladelec:");
    EXPECT_EQ(file.Encoded(),
              "|0:TipKrana:\xCA\xD1-45717\r\n|0:Vladelec:\r\n|0:GodIzgotK:2005 \xE3.\r\n");
}

TEST(RtfDataFile, LineBreaksAndMarkersInAValueStayInsideTheLine) {
    ReportDataFile file;
    file.Add("A", "one\r\ntwo\nthree\rfour");
    EXPECT_EQ(file.Encoded(), "|0:A:one|EOL:two|EOL:three|EOL:four\r\n");
    // A "|" that would end the value or start a marker is written as "|BAR:".
    file.Add("B", "a|0:b|EOL:c|EOP:d|BAR:e|1:f|EO|0|");
    EXPECT_EQ(file.Lines()[1], "|0:B:a|BAR:0:b|BAR:EOL:c|BAR:EOP:d|BAR:BAR:e|1:f|EO|0|");
}

TEST(RtfDataFile, SavedFileReplacesTheOldOneAndFeedsTheEngine) {
    rtf_test::TempDir dir;
    rtf_test::WriteBytes(dir / "d.txt", "old content that is longer than the new one\r\n");
    ReportDataFile file;
    file.Add("TipKrana", "Кран {1}");
    file.Add("Vladelec", "ООО \"Ромашка\"");
    file.Save(dir / "d.txt");
    EXPECT_EQ(rtf_test::ReadBytes(dir / "d.txt"), file.Encoded());

    rtf_test::WriteBytes(dir / "t.rtf", "{\\rtf1 #TipKrana#; #Vladelec#}");
    RepoRTF_interface::CreateReport(dir / "d.txt", dir / "t.rtf", dir / "r.rtf");
    EXPECT_EQ(
        rtf_test::ReadBytes(dir / "r.rtf"),
        "{\\rtf1 \xCA\xF0\xE0\xED \\'7B1\\'7D; \xCE\xCE\xCE \"\xD0\xEE\xEC\xE0\xF8\xEA\xE0\"}");
}

TEST(RtfDataFile, SaveFailureIsReported) {
    rtf_test::TempDir dir;
    ReportDataFile file;
    file.Add("A", "1");
    EXPECT_THROW(file.Save(dir / "missing folder" / "d.txt"), std::system_error);
}

}  // namespace
