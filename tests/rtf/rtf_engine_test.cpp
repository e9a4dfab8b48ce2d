// The engine's rules, one group each, with byte-exact reports.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rtf/report_messages.h"
#include "rtf_test_support.h"

namespace {

using namespace std::string_literals;
namespace msg = RepoRTF_interface::messages;
using rtf_test::ReadBytes;
using rtf_test::RunEngine;
using rtf_test::TempDir;
using rtf_test::WriteBytes;

class RtfEngine : public testing::Test {
  protected:
    // The report of a merge that must succeed.
    std::string Merge(const std::string& templ, const std::string& data) {
        rtf_test::EngineResult r = RunEngine(dir_, templ, data);
        EXPECT_EQ(r.error, "");
        return r.report;
    }
    rtf_test::EngineResult Run(const std::string& templ, const std::string& data,
                               const RepoRTF_interface::ProgressCallback& progress = {}) {
        return RunEngine(dir_, templ, data, progress);
    }
    TempDir dir_;
};

// --- Template pass: fields --------------------------------------------------

TEST_F(RtfEngine, NamedFieldsAreFilledOrVanish) {
    EXPECT_EQ(Merge("{\\rtf1 A=#A#, B=#B#.}", "|0:A:1\n"), "{\\rtf1 A=1, B=.}");
    // Every occurrence takes the first line's value; later lines change nothing.
    EXPECT_EQ(Merge("{\\rtf1 #A#-#A#}", "|0:A:1\n|0:A:2\n"), "{\\rtf1 1-1}");
    // A data key the template lacks changes nothing.
    EXPECT_EQ(Merge("{\\rtf1 x}", "|0:Zzz:1\n"), "{\\rtf1 x}");
}

TEST_F(RtfEngine, DoubledDelimiterIsLiteralInBothModes) {
    EXPECT_EQ(Merge("{\\rtf1 a##b}", ""), "{\\rtf1 a\\'23b}");
    EXPECT_EQ(Merge("a##b", ""), "a\\'23b");
}

TEST_F(RtfEngine, DateTimeAndPageBreak) {
    EXPECT_EQ(Merge("{\\rtf1 #DATE# #TIME##EOP#}", ""), "{\\rtf1 01.02.2003 04:05{\\page}}");
    EXPECT_EQ(Merge("#DATE#|#EOP#", ""), "01.02.2003|\f");
    // Names are case-sensitive: "date" is a named field.
    EXPECT_EQ(Merge("{\\rtf1 #date#}", "|0:date:d\n"), "{\\rtf1 d}");
}

TEST_F(RtfEngine, FieldNamesLoseWhatAWordProcessorPutsInThem) {
    const std::string data = "|0:TipKrana:K\n";
    EXPECT_EQ(Merge("{\\rtf1 #Tip\\lang1049 Krana#}", data), "{\\rtf1 K}");
    EXPECT_EQ(Merge("{\\rtf1 #Tip{\\b Krana}#}", data), "{\\rtf1 K}");
    EXPECT_EQ(Merge("{\\rtf1 #Tip Krana#}", data), "{\\rtf1 K}");
    // Without a space the control word runs to the next "}"; with neither, only
    // the character itself goes.
    EXPECT_EQ(Merge("{\\rtf1 #Tip{\\bKrana}#}", "|0:Tip:T\n"), "{\\rtf1 T}");
    EXPECT_EQ(Merge("{\\rtf1 #Tip\\Krana#}", data), "{\\rtf1 K}");
    // A line break ends a control word as a blank does: a name that LibreOffice
    // splits with formatting ("}{\loch" and a line break) is joined again, also
    // when the file has CR LF or a lone CR.
    EXPECT_EQ(Merge("{\\rtf1 {#Tip}{\\loch\nKrana#}}", data), "{\\rtf1 {K}}");
    EXPECT_EQ(Merge("{\\rtf1 {#Tip}{\\loch\r\nKrana#}}", data), "{\\rtf1 {K}}");
    EXPECT_EQ(Merge("{\\rtf1 {#Tip}{\\loch\rKrana#}}", data), "{\\rtf1 {K}}");
    // Cyrillic letters stored as bytes vanish: the empty name is never filled, and
    // one ending in "1" is block 1.
    EXPECT_EQ(Merge("{\\rtf1 [#\xD2\xE8\xEF#]}", "|0:\xD2\xE8\xEF:x\n"), "{\\rtf1 []}");
    EXPECT_EQ(Merge("[#\xD2\xE8\xEF"
                    "1#row#1#]",
                    "|1:a:b\n"),
              "[row]");
    // Written as RTF escapes the name is kept whole.
    EXPECT_EQ(Merge("{\\rtf1 #\\'c8\\'ec\\'ff#}", "|0:\\'c8\\'ec\\'ff:N\n"), "{\\rtf1 N}");
}

TEST_F(RtfEngine, CharsetZeroBecomesCyrillicInBothModes) {
    EXPECT_EQ(Merge("{\\rtf1{\\f0\\fcharset0 A;}{\\f1\\fcharset00 B;}}", ""),
              "{\\rtf1{\\f0\\fcharset204 A;}{\\f1\\fcharset2040 B;}}");
    EXPECT_EQ(Merge("x\\fcharset0", ""), "x\\fcharset204");
}

TEST_F(RtfEngine, FontDirectiveRegistersAndLeavesNothing) {
    std::vector<std::string> fonts;
    RepoRTF_interface::SetFontRegistration([&](const std::string& f) { fonts.push_back(f); });
    EXPECT_EQ(Merge("{\\rtf1 a#FONT=c:\\f\\gost.ttf#b}", ""), "{\\rtf1 ab}");
    RepoRTF_interface::SetFontRegistration({});
    EXPECT_EQ(fonts, std::vector<std::string>{"c:\\f\\gost.ttf"});
    // Without a registration set, the directive still vanishes.
    EXPECT_EQ(Merge("{\\rtf1 a#FONT=x.ttf#b}", ""), "{\\rtf1 ab}");
}

// --- Template pass: delimiter directive --------------------------------------

TEST_F(RtfEngine, DelimiterDirectiveSwitchesAndSwitchesBack) {
    EXPECT_EQ(Merge("{\\rtf1 #@$$#$$A$$ # $$@#$$#A#}", "|0:A:1\n"), "{\\rtf1 1 # 1}");
    // The empty field is the hex of the delimiter's first character.
    EXPECT_EQ(Merge("{\\rtf1 #@$$#$$$$}", ""), "{\\rtf1 \\'24}");
    // "#@#" leaves no delimiter: the rest stays as written.
    EXPECT_EQ(Merge("{\\rtf1 #@##A# ##}", "|0:A:1\n"), "{\\rtf1 #A# ##}");
}

TEST_F(RtfEngine, PassEndsWhenInsertedTextHoldsTheDelimiter) {
    // With the delimiter "3" the empty field "33" becomes "\'33", which holds the
    // delimiter again; the pass goes on after it.
    EXPECT_EQ(Merge("{\\rtf1 #@3#a33b3A3}", "|0:A:x\n"), "{\\rtf1 a\\'33bx}");
    // The date holds "0": it is not taken for fields.
    EXPECT_EQ(Merge("#@0#0DATE00A0", "|0:A:x\n"), "01.02.2003x");
}

TEST_F(RtfEngine, DelimiterSplitBetweenInsertedTextAndTemplate) {
    // "3}" ends the empty field's "\'33" and the template's "}": a field starts there.
    EXPECT_EQ(Merge("{\\rtf1 #@3}#3}3}}A3}.}", "|0:A:x\n"), "{\\rtf1 \\'3x.}");
}

// --- Template pass: block fields ---------------------------------------------

TEST_F(RtfEngine, BlockFieldSpellings) {
    const std::string body = "[#N#]";
    for (const char* b : {"12", "D12", "12D", "0012"}) {
        std::string t = "<#"s + b + "#" + body + "#" + b + "#>";
        // Only block 1 takes the text before it out with the first row; before
        // any other block it waits for the end.
        EXPECT_EQ(Merge(t, "|12:N:a\n|12:N:b\n"), "[a][b]<>") << b;
    }
    EXPECT_EQ(Merge("<#1234#[#N#]#123#>", "|123:N:a\n"), "[a]<>");
    // Not block fields: named fields that nothing fills.
    EXPECT_EQ(Merge("<#1D2#|#DD#>", "|1:N:a\n"), "<|>");
    // Block 0 inserts nothing, and in RTF mode the trimming still happens.
    EXPECT_EQ(Merge("<#0#|#D#>", ""), "<|>");
    EXPECT_EQ(Merge("{\\rtf1 {#0#}{x}y}", ""), "{\\rtf1 {}y}");
}

TEST_F(RtfEngine, BlockFieldTakesTheRestOfItsParagraph) {
    const std::string t =
        "{\\rtf1 head\\par {\\f1 #1#}{\\f1 \\par }row #N#\\par {\\f1 #1#}{\\f1 \\par }end}";
    EXPECT_EQ(Merge(t, "|1:N:a\n|1:N:b\n"),
              "{\\rtf1 head\\par {\\f1 }row a\\par {\\f1 }row b\\par {\\f1 }end}");
    // No row: the block goes entirely.
    EXPECT_EQ(Merge(t, ""), "{\\rtf1 head\\par {\\f1 }end}");
    // The delimiter before the next "}" limits the trimming.
    EXPECT_EQ(Merge("{\\rtf1 #1#ab#N#cd}#1#}", "|1:N:x\n"), "{\\rtf1 xcd}");
    // Plain mode trims nothing.
    EXPECT_EQ(Merge("a #1#}b#1#} c", "|1:x:y\n"), "a }b} c");
}

// --- Data pass: lines and pairs --------------------------------------------------

TEST_F(RtfEngine, LinesThatAreSkipped) {
    EXPECT_EQ(Merge("{\\rtf1 #A#}", "\n#|0:A:comment\n\n|0:A:1\n"), "{\\rtf1 1}");
    // Lines without a valid pair fill nothing.
    EXPECT_EQ(Merge("{\\rtf1 #A#}", "abc\n|0::v\n:A:1\nA:1\n|0:A\n"), "{\\rtf1 }");
}

TEST_F(RtfEngine, PairsOfALine) {
    // Level 0 uses the first pair only, a block line all of them.
    EXPECT_EQ(Merge("{\\rtf1 #A#,#B#}", "|0:A:1|0:B:2\n"), "{\\rtf1 1,}");
    EXPECT_EQ(Merge("<#1##A#,#B#;#1#>", "|1:A:1|1:B:2\n"), "<1,2;>");
    // A value runs to the next copy of the line's own prefix; other "|n:" stay.
    EXPECT_EQ(Merge("<#1##A#,#B#;#1#>", "|1:A:x|0:y:z|1:B:2\n"), "<x|0:y:z,2;>");
    EXPECT_EQ(Merge("{\\rtf1 #A#}", "|0:A:a:b|c\n"), "{\\rtf1 a:b|c}");
    EXPECT_EQ(Merge("{\\rtf1 [#A#]}", "|0:A:\n"), "{\\rtf1 []}");
    // Levels are read like C's atoi.
    EXPECT_EQ(Merge("<#1##A#;#1#>", "| 1:A:a\n|+1x:A:b\n"), "<a;b;>");
}

TEST_F(RtfEngine, LevelsOutOfRangeAreStructureErrors) {
    for (const char* line :
         {"|1000:A:x\n", "|-1:A:x\n", "|99999999999999999999:A:x\n", "|1000:\n"}) {
        rtf_test::EngineResult r = Run("<#1#r#1#>", "|1:A:a\n"s + line);
        EXPECT_EQ(r.error, msg::kStructure) << line;
        EXPECT_EQ(r.report, "") << line;  // no report, not even the row before
    }
}

TEST_F(RtfEngine, BlockRowsAndDocumentFields) {
    const std::string t = "[#H#]#1#<#N#>#1#[#T#]";
    // Fields before block 1 first, then the rows, then fields after the block.
    EXPECT_EQ(Merge(t, "|0:H:h\n|1:N:a\n|1:N:b\n|0:T:t\n"), "[h]<a><b>[t]");
    // A field after the block moves the text up to its end into the output: rows
    // that come later no longer find the block.
    EXPECT_EQ(Merge(t, "|0:T:t\n|1:N:a\n"), "[][t]");
    // A row of a block the template lacks is skipped.
    EXPECT_EQ(Merge(t, "|2:N:z\n|1:N:a\n"), "[]<a>[]");
    // A keyless line of a block still emits a row.
    EXPECT_EQ(Merge(t, "|1:\n"), "[]<>[]");
}

TEST_F(RtfEngine, RowsOfSeveralBlocks) {
    const std::string t = "<#1#a#X##1#|#2#b#X##2#>";
    EXPECT_EQ(Merge(t, "|1:X:1\n|2:X:2\n|2:X:3\n|1:X:4\n"), "<a1b2b3a4|>");
    // The text up to block 1 goes out with the first row after document fields,
    // even when that row is of block 2 and block 2 stands in that text.
    EXPECT_EQ(Merge("<#2#b#2#|#1#a#1#>", "|2:Y:1\n"), "<|b>");
}

TEST_F(RtfEngine, LongLinesAreReadWhole) {
    std::string value(10000, 'v');
    EXPECT_EQ(Merge("{\\rtf1 #A#}", "|0:A:" + value + "\n"), "{\\rtf1 " + value + "}");
    std::string line4095 = "|0:A:" + std::string(4090, 'w');
    EXPECT_EQ(Merge("{\\rtf1 #A#}", line4095 + "\n"), "{\\rtf1 " + std::string(4090, 'w') + "}");
}

// --- Values --------------------------------------------------------------------

TEST_F(RtfEngine, ValuesAreEscapedInRtfOnly) {
    EXPECT_EQ(Merge("{\\rtf1 #A#}", "|0:A:{a\\b}\n"), "{\\rtf1 \\'7Ba\\'5Cb\\'7D}");
    EXPECT_EQ(Merge("#A#", "|0:A:{a\\b}\n"), "{a\\b}");
}

TEST_F(RtfEngine, LineAndPageMarkersInValues) {
    EXPECT_EQ(Merge("{\\rtf1 #A#}", "|0:A:a|EOL:b|EOP:c\n"), "{\\rtf1 a{\\par}b{\\page}c}");
    EXPECT_EQ(Merge("#A#", "|0:A:a|EOL:b|EOP:c\n"), "a\r\nb\fc");
}

TEST_F(RtfEngine, SymbolValuesAreSpelledByCode) {
    const std::string sym = "{\\f3\\lang1033\\langfe1049\\langnp1033 \\'61\\'7B\\'C0 }";
    EXPECT_EQ(Merge("{\\rtf1 #_SYM1#}", "|0:_SYM1:a{\xC0\n"), "{\\rtf1 " + sym + "}");
    EXPECT_EQ(Merge("#_SYMx#", "|0:_SYMx:a{\xC0\n"), sym);
}

TEST_F(RtfEngine, MarkerBytesAreTextNeverFields) {
    // The engine's own marker bytes (0x02 a block, 0x03 a field) in a value are
    // printed as they are: never filled by a later line, never taken for a block.
    EXPECT_EQ(Merge("{\\rtf1 #A#}",
                    "|0:A:<\x03"
                    "B\x03>\n|0:B:b\n"),
              "{\\rtf1 <\x03"
              "B\x03>}");
    EXPECT_EQ(Merge("#A#x#B#",
                    "|0:A:\x02"
                    "1**\n|0:B:\x02"
                    "1**\n"),
              "\x02"
              "1**x\x02"
              "1**");
    // In the template they are text as well.
    const std::string bytes =
        "\x03"
        "B\x03 \x02"
        "1**\x01";
    EXPECT_EQ(Merge("{\\rtf1 " + bytes + "#A#" + bytes + "}", "|0:B:b\n|0:A:a\n"),
              "{\\rtf1 " + bytes + "a" + bytes + "}");
    EXPECT_EQ(Merge("{\\rtf1 #\\'c8\x03#}",
                    "|0:\\'c8\x03"
                    ":N\n"),
              "{\\rtf1 N}");
    // A key matches a whole field name only, never text between two fields.
    EXPECT_EQ(Merge("{\\rtf1 #A##B#.}",
                    "|0:A\x03\x03"
                    "B:x\n"),
              "{\\rtf1 .}");
    EXPECT_EQ(Merge("{\\rtf1 #A#B#C#.}", "|0:B:x\n|0:C:c\n"), "{\\rtf1 Bc.}");
}

TEST_F(RtfEngine, OemLinesAreConvertedFromCp866) {
    EXPECT_EQ(Merge("{\\rtf1 #A#,#B#,#C#}",
                    "|0:A:\x80\xE0\n|DOS:\n|0:B:\x80\xE0\xF0\n|WIN:\n|0:C:\x80\n"),
              "{\\rtf1 \x80\xE0,\xC0\xF0\xA8,\x80}");
}

// --- Text mode -------------------------------------------------------------------

TEST_F(RtfEngine, CrLfIsReadAsLfAndWrittenAsCrLf) {
    EXPECT_EQ(Merge("{\\rtf1\r\n#A#\n}\r", "|0:A:x|EOL:y\r\n"), "{\\rtf1\r\nx{\\par}y\r\n}\r");
    EXPECT_EQ(Merge("#A#", "|0:A:x|EOL:y\r\n"), "x\r\ny");
    // A CR that is not followed by LF belongs to the value.
    EXPECT_EQ(Merge("#A#", "|0:A:x\r\r\n"), "x\r");
}

TEST_F(RtfEngine, PlainModeEvenAfterALeadingBlank) {
    EXPECT_EQ(Merge(" {\\rtf1 #A#}", "|0:A:{}\n"), " {\\rtf1 {}}");
}

// --- Failures and what they leave behind ------------------------------------------

TEST_F(RtfEngine, ProgressSeesEveryLineAndCanStop) {
    std::vector<std::int64_t> seen;
    auto count = [&](std::int64_t n) {
        seen.push_back(n);
        return 0;
    };
    EXPECT_EQ(Run("{\\rtf1 x}", "a\nb\n", count).error, "");
    // A file that ends with LF has one more, empty, line at its end.
    EXPECT_EQ(seen, (std::vector<std::int64_t>{1, 2, 3}));
    seen.clear();
    EXPECT_EQ(Run("{\\rtf1 x}", "a\nb", count).error, "");
    EXPECT_EQ(seen, (std::vector<std::int64_t>{1, 2}));

    auto stopAt3 = [](std::int64_t n) { return n == 3 ? 1 : 0; };
    rtf_test::EngineResult r = Run("{#1#<#N#>#1#}", "|1:N:a\n|1:N:b\n|1:N:c\n", stopAt3);
    EXPECT_EQ(r.error, msg::kAborted);
    EXPECT_EQ(r.report, "");  // no report, not even the rows before
}

TEST_F(RtfEngine, UnpairedDelimiterKeepsTheEarlierReport) {
    WriteBytes(dir_ / "r.rtf", "old");
    WriteBytes(dir_ / "t.rtf", "{\\rtf1 #A# #}");
    WriteBytes(dir_ / "d.txt", "|0:A:1\n");
    try {
        RepoRTF_interface::CreateReport(dir_ / "d.txt", dir_ / "t.rtf", dir_ / "r.rtf");
        FAIL() << "no error";
    } catch (const RepoRTF_interface::RepoRTF_Error& e) {
        EXPECT_STREQ(e.Message, msg::kStructure);
    }
    EXPECT_EQ(ReadBytes(dir_ / "r.rtf"), "old");
}

using RtfEngineFiles = rtf_test::FilesFixture;

TEST_F(RtfEngineFiles, TemplateAndReportMustBeDifferentFiles) {
    const auto t = dir_ / "t.rtf";
    EXPECT_EQ(Error(dir_ / "d.txt", t, t), msg::kSameFile);
    EXPECT_EQ(Error(dir_ / "d.txt", t, dir_.Path() / "." / "t.rtf"), msg::kSameFile);
    EXPECT_EQ(Error(dir_ / "d.txt", t, dir_.Path() / "sub" / ".." / "t.rtf"), msg::kSameFile);
    rtf_test::fs::create_hard_link(t, dir_ / "hard.rtf");
    EXPECT_EQ(Error(dir_ / "d.txt", t, dir_ / "hard.rtf"), msg::kSameFile);
    // Equal names fail first, even when the file does not exist.
    EXPECT_EQ(Error(dir_ / "d.txt", dir_ / "none.rtf", dir_ / "none.rtf"), msg::kSameFile);
    EXPECT_EQ(ReadBytes(t), "{\\rtf1 #A#}");
}

TEST_F(RtfEngineFiles, DataAndReportMustBeDifferentFiles) {
    EXPECT_EQ(Error(dir_ / "d.txt", dir_ / "t.rtf", dir_.Path() / "." / "d.txt"),
              msg::kSameDataFile);
    EXPECT_EQ(ReadBytes(dir_ / "d.txt"), "|0:A:1\n");
}

TEST_F(RtfEngineFiles, MissingTemplateTouchesNothing) {
    EXPECT_EQ(Error(dir_ / "d.txt", dir_ / "none.rtf", dir_ / "old.rtf"), msg::kTemplateNotOpened);
    EXPECT_EQ(Error(dir_ / "d.txt", dir_.Path(), dir_ / "old.rtf"), msg::kTemplateNotOpened);
    EXPECT_EQ(ReadBytes(dir_ / "old.rtf"), "earlier report");
}

TEST_F(RtfEngineFiles, ReportThatCannotBeCreated) {
    EXPECT_EQ(Error(dir_ / "d.txt", dir_ / "t.rtf", dir_ / "no" / "r.rtf"), msg::kReportNotOpened);
    EXPECT_EQ(Error(dir_ / "d.txt", dir_ / "t.rtf", dir_.Path()), msg::kReportNotOpened);
    EXPECT_FALSE(rtf_test::fs::exists(dir_ / "no"));
}

// Every failure of a merge leaves an earlier report exactly as it was, and no
// temporary file beside it.
TEST_F(RtfEngineFiles, AFailedMergeKeepsTheEarlierReport) {
    const auto report = dir_ / "old.rtf";
    WriteBytes(dir_ / "odd.rtf", "{\\rtf1 #A# #}");
    WriteBytes(dir_ / "level.txt", "|0:A:1\n|1000:A:x\n");
    std::string rows;
    for (int i = 0; i < 20000; ++i) rows += "|1:N:row row row row\n";
    WriteBytes(dir_ / "rows.txt", rows);
    WriteBytes(dir_ / "rows.rtf", "{#1#<#N#>#1#}");

    EXPECT_EQ(Error(dir_ / "none.txt", dir_ / "t.rtf", report), msg::kDataNotOpened);
    EXPECT_EQ(Error(dir_ / "d.txt", dir_ / "odd.rtf", report), msg::kStructure);
    EXPECT_EQ(Error(dir_ / "level.txt", dir_ / "t.rtf", report), msg::kStructure);
    EXPECT_EQ(Error(dir_ / "d.txt", dir_ / "none.rtf", report), msg::kTemplateNotOpened);
    try {
        RepoRTF_interface::CreateReport(dir_ / "rows.txt", dir_ / "rows.rtf", report,
                                        [](std::int64_t n) { return n == 15000 ? 1 : 0; });
        ADD_FAILURE() << "not stopped";
    } catch (const RepoRTF_interface::RepoRTF_Error& e) {
        EXPECT_STREQ(e.Message, msg::kAborted);
    }
    EXPECT_EQ(ReadBytes(report), "earlier report");
    for (const auto& entry : rtf_test::fs::directory_iterator(dir_.Path()))
        EXPECT_NE(entry.path().filename().string()[0], '.') << entry.path();
}

TEST_F(RtfEngineFiles, EveryCallStartsWithTheHashDelimiter) {
    WriteBytes(dir_ / "t2.rtf", "{\\rtf1 #@$$#$$A$$}");
    EXPECT_EQ(Error(dir_ / "d.txt", dir_ / "t2.rtf", dir_ / "r.rtf"), "");
    EXPECT_EQ(Error(dir_ / "d.txt", dir_ / "t.rtf", dir_ / "r.rtf"), "");
    EXPECT_EQ(ReadBytes(dir_ / "r.rtf"), "{\\rtf1 1}");
}

}  // namespace
