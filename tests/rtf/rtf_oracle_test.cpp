// The engine against the literal rendering of its algorithm, on many generated
// templates and data files. Any difference is a bug in one of them.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "oracle_report.h"
#include "rtf_test_support.h"

namespace {

using rtf_test::RunEngine;
using rtf_test::TempDir;

class Generator {
  public:
    explicit Generator(unsigned seed) : rng_(seed) {}

    std::string Template() {
        std::string t;
        delimiter_ = "#";
        if (Chance(0.75)) {
            t = "{\\rtf1\\ansi{\\fonttbl{\\f0\\fcharset0 Arial;}{\\f3\\fcharset0 Symbol;}}\n";
        } else if (Chance(0.3)) {
            t = " {\\rtf1 plain after a blank";
        }
        int pieces = Int(0, 40);
        for (int i = 0; i < pieces; ++i) t += Piece();
        if (Chance(0.5)) t += "}";
        return t;
    }

    std::string Data() {
        std::string d;
        int lines = Int(0, 30);
        for (int i = 0; i < lines; ++i) {
            d += line();
            if (i + 1 < lines || Chance(0.7)) d += Chance(0.5) ? "\r\n" : "\n";
        }
        return d;
    }

    bool Chance(double p) { return std::uniform_real_distribution<double>(0, 1)(rng_) < p; }
    int Int(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
    template <class T>
    const T& Pick(const std::vector<T>& v) {
        return v[static_cast<std::size_t>(Int(0, static_cast<int>(v.size()) - 1))];
    }

  private:
    std::string Field(const std::string& name) { return delimiter_ + name + delimiter_; }

    std::string Piece() {
        static const std::vector<std::string> text = {
            "ab",       " ",    "\\par ", "{", "}", "\\",          "x",
            "\xC1\xE0", "\r\n", "\n",     ":", "|", "\\fcharset0", "}{\\f1 \\par }",
            "3",        "$",    "\\'",    "1", "D"};
        static const std::vector<std::string> names = {"k1",
                                                       "k2",
                                                       "k3",
                                                       "Key",
                                                       "_SYM1",
                                                       "DATE",
                                                       "TIME",
                                                       "EOP",
                                                       "",
                                                       "date",
                                                       "k{\\b 1}",
                                                       "k\\lang1049 2",
                                                       "k 3",
                                                       "\\'c8\\'ec",
                                                       "\xD2\xE8\xEF",
                                                       "\xD2\xE8\xEF"
                                                       "1",
                                                       "Tip{\\b Krana",
                                                       "k\\x",
                                                       "FONT=a.ttf",
                                                       "FONT=k1",
                                                       "FONT=",
                                                       "FONT=@#"};
        static const std::vector<std::string> blocks = {
            "1",   "2",   "D1",   "1D", "0",    "D",         "12",
            "D12", "12D", "1234", "3",  "0001", "D99999999", "D00000001234"};
        static const std::vector<std::string> delimiters = {
            "#", "$$", "3", "ab", "@", "}", "##", "\x03", "3}", "5#", "\x03\x03", "F#"};
        int kind = Int(0, 99);
        if (kind < 30) return Pick(text);
        if (kind < 60) return Field(Pick(names));
        if (kind < 75) {
            std::string b = Pick(blocks);
            std::string body;
            int n = Int(0, 4);
            for (int i = 0; i < n; ++i) body += Chance(0.5) ? Field(Pick(names)) : Pick(text);
            if (Chance(0.5))
                return "{\\f1 " + Field(b) + "}{\\f1 \\par }" + body + "{" + Field(b) + "}";
            return Field(b) + body + Field(b);
        }
        if (kind < 82) {
            std::string next = Chance(0.05) ? "" : Pick(delimiters);
            std::string piece = Field("@" + next);
            delimiter_ = next.empty() ? "#" : next;
            return piece;
        }
        if (kind < 85) return delimiter_;  // unpaired, or pairs with a later one
        if (kind < 88) return Chance(0.5) ? "\x03" : "\x02";
        if (kind < 92) return Field("") + Field("");
        return Field("k" + std::to_string(Int(1, 3))) + Pick(text);
    }

    std::string Value() {
        static const std::vector<std::string> parts = {"v",
                                                       "\xC0\xC1",
                                                       "{",
                                                       "}",
                                                       "\\",
                                                       "|EOL:",
                                                       "|EOP:",
                                                       "|E",
                                                       "OL:",
                                                       ":",
                                                       "|",
                                                       "\x03",
                                                       "\x03k1\x03",
                                                       "\x03k2\x03",
                                                       "\x03k",
                                                       "k2\x03",
                                                       "\x03\x03",
                                                       "\x02"
                                                       "1**",
                                                       "#",
                                                       "$$",
                                                       " ",
                                                       "\x80\xB3\xF0",
                                                       "|0:",
                                                       "|1:"};
        std::string v;
        int n = Int(0, 5);
        for (int i = 0; i < n; ++i) v += Pick(parts);
        if (Chance(0.02)) v += std::string(static_cast<std::size_t>(Int(4000, 9000)), 'w');
        return v;
    }

    std::string key() {
        static const std::vector<std::string> keys = {
            "k1", "k2",      "k3",   "Key", "_SYM1",  "DATE",   "ab",
            "1",  "k\x03k2", "\x03", "x",   "k1\x03", "\x03k2", "\x03\x03"};
        return Pick(keys);
    }

    std::string line() {
        int kind = Int(0, 99);
        if (kind < 40) return "|0:" + key() + ":" + Value();
        if (kind < 62) {
            std::string prefix =
                "|" + std::to_string(Pick(std::vector<int>{1, 2, 3, 12, 123, 5})) + ":";
            std::string line;
            int pairs = Int(1, 3);
            for (int i = 0; i < pairs; ++i) line += prefix + key() + ":" + Value();
            return line;
        }
        if (kind < 65) return "|DOS:";
        if (kind < 68) return "|WIN:";
        if (kind < 70) return "#|0:k1:comment";
        if (kind < 72) return "";
        if (kind < 74) return Chance(0.5) ? "|1000:k1:x" : "|-1:k1:x";
        if (kind < 78)
            return Pick(std::vector<std::string>{"abc", "|5:", "|0::v", "|0:", ":x", "| 1:k1:z",
                                                 "|+2:k2:y", "|x:k1:q", "|0:k1"});
        if (kind < 84) return "|0:k1:v|0:k2:w";
        return "|0:" + key() + ":" + Value() + "\r";
    }

    std::mt19937 rng_;
    std::string delimiter_ = "#";
};

TEST(RtfOracle, EngineMatchesLiteralAlgorithmOnGeneratedInput) {
    TempDir dir;
    const int kCases = 6000;
    int failures = 0, errors = 0;
    for (int seed = 1; seed <= kCases && failures < 5; ++seed) {
        Generator gen(static_cast<unsigned>(seed));
        rtf_oracle::OracleInput input;
        input.templateBytes = gen.Template();
        input.dataBytes = gen.Data();
        int stopAt = gen.Chance(0.05) ? gen.Int(1, 10) : 0;
        auto progress = [stopAt](std::int64_t n) { return stopAt != 0 && n >= stopAt ? 1 : 0; };
        if (stopAt) input.progress = progress;

        std::vector<std::string> oracleFonts, engineFonts;
        input.registerFont = [&](const std::string& f) { oracleFonts.push_back(f); };
        rtf_oracle::OracleResult expected = rtf_oracle::OracleMerge(input);

        RepoRTF_interface::SetFontRegistration(
            [&](const std::string& f) { engineFonts.push_back(f); });
        rtf_test::EngineResult actual =
            RunEngine(dir, input.templateBytes, input.dataBytes,
                      stopAt ? RepoRTF_interface::ProgressCallback(progress) : nullptr);
        RepoRTF_interface::SetFontRegistration({});

        if (!expected.error.empty()) ++errors;
        // A failed merge writes no report at all (an earlier one would stay as it
        // was), where the literal algorithm leaves what it had written so far.
        const std::string expectedReport = expected.error.empty() ? expected.report : "";
        bool same = actual.report == expectedReport && actual.error == expected.error &&
                    engineFonts == oracleFonts;
        if (!same) {
            ++failures;
            ADD_FAILURE() << "seed " << seed
                          << "\ntemplate: " << testing::PrintToString(input.templateBytes)
                          << "\ndata: " << testing::PrintToString(input.dataBytes)
                          << "\nexpected error: " << expected.error
                          << "\nactual error: " << actual.error
                          << "\nexpected: " << testing::PrintToString(expectedReport)
                          << "\nactual:   " << testing::PrintToString(actual.report);
        }
    }
    // The generator must reach the failures too, not only the good paths.
    EXPECT_GT(errors, kCases / 50);
    EXPECT_LT(errors, kCases / 2);
}

}  // namespace
