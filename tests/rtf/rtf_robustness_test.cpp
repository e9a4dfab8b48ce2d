// Arbitrary bytes as template and data file: the engine always finishes, with a
// report or with one of its messages, and never crashes (the sanitizer build
// runs this too).
#include <gtest/gtest.h>

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

}  // namespace
