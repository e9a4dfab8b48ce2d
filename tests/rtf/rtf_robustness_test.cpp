// Arbitrary bytes as template and data file: the engine always finishes, with a
// report or with one of its messages, and never crashes (the sanitizer build
// runs this too).
#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <set>
#include <string>

#include "rtf/report_messages.h"
#include "rtf_test_support.h"

namespace {

namespace msg = RepoRTF_interface::messages;

std::string RandomBytes(std::mt19937& rng, std::size_t maxSize, const std::string& alphabet) {
    std::size_t size = std::uniform_int_distribution<std::size_t>(0, maxSize)(rng);
    std::string s;
    for (std::size_t i = 0; i < size; ++i) {
        if (!alphabet.empty() && rng() % 4 != 0) {
            s += alphabet[rng() % alphabet.size()];
        } else {
            s += static_cast<char>(rng() & 0xFF);
        }
    }
    return s;
}

TEST(RtfRobustness, RandomBytesNeverCrash) {
    const std::set<std::string> known = {"", msg::kStructure, msg::kAborted};
    rtf_test::TempDir dir;
    std::mt19937 rng(20240607);
    const std::string templateAlphabet = "#{}\\ '@FONT=D0123456789$:\x02\x03\n\r";
    const std::string dataAlphabet = "|0123:-+ DOSWIN#\x02\x03\n\r{}\\EOLP_SYMk";
    for (int i = 0; i < 1500; ++i) {
        std::string t = RandomBytes(rng, 300, templateAlphabet);
        if (i % 2 == 0) t = "{\\rtf1 " + t;
        std::string d = RandomBytes(rng, 300, dataAlphabet);
        rtf_test::EngineResult r = rtf_test::RunEngine(dir, t, d);
        EXPECT_TRUE(known.count(r.error)) << r.error;
    }
}

// A value that held its own field twice was filled again by every later line of
// the same key, doubling the report each time: 22 such lines took seconds and a
// gigabyte. Values are text, so each line now fills only what the template has.
TEST(RtfRobustness, ValuesThatHoldFieldsDoNotMultiply) {
    rtf_test::TempDir dir;
    const std::string value =
        "\x03"
        "a\x03\x03"
        "a\x03";
    std::string data;
    for (int i = 0; i < 22; ++i) data += "|0:a:" + value + "\n";
    const auto start = std::chrono::steady_clock::now();
    rtf_test::EngineResult r = rtf_test::RunEngine(dir, "#a#", data);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(r.error, "");
    EXPECT_EQ(r.report, value);
    EXPECT_LT(seconds, 1.0);
}

}  // namespace
