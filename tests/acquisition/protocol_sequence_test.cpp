// The order in which the protocol drives a serial line, on paths a real
// device cannot easily produce. The line here is a script, not a port.

#include <gtest/gtest.h>

#include <deque>

#include "acquisition/litm3_protocol.h"
#include "acquisition_test_support.h"

namespace {

// Answers reads from a queue and writes as told; logs every call.
class ScriptedLine : public acquisition::SerialLine {
  public:
    bool open(const std::string& device) override {
        log.push_back("open " + device);
        open_ = device != "busy";
        return open_;
    }
    bool isOpen() const override { return open_; }
    void saveTimeouts() override { log.push_back("saveTimeouts"); }
    void saveSettings() override { log.push_back("saveSettings"); }
    void restoreSettings() override { log.push_back("restoreSettings"); }
    void restoreTimeouts() override { log.push_back("restoreTimeouts"); }
    void applySettings(const acquisition::LineSettings& s) override {
        log.push_back(
            "applySettings " + std::to_string(s.baudRate) + " " + std::to_string(s.dataBits) +
            (s.parity == acquisition::Parity::Even ? "E" : "?") + std::to_string(s.stopBits));
    }
    void applyTimeouts(const acquisition::Timeouts& t) override {
        log.push_back("applyTimeouts read " + std::to_string(t.readWaitForOneByte()) + " write " +
                      std::to_string(t.writeWaitForOneByte()));
    }
    void abortPending() override { log.push_back("abortPending"); }
    bool writeByte(std::uint8_t byte) override {
        log.push_back("write " + std::to_string(byte));
        if (byte == acquisition::kTransferRequest) return transferRequestGoesOut;
        return true;
    }
    bool readByte(std::uint8_t& byte) override {
        ++reads;
        if (input.empty()) return false;
        byte = input.front();
        input.pop_front();
        return true;
    }
    void close() override {
        log.push_back("close");
        open_ = false;
    }

    std::vector<std::string> log;
    std::deque<std::uint8_t> input;
    bool transferRequestGoesOut = true;
    int reads = 0;

  private:
    bool open_ = false;
};

std::vector<std::string> sleeps;
void recordSleep(int ms) {
    sleeps.push_back("sleep " + std::to_string(ms));
}

}  // namespace

TEST(ProtocolSequence, ProbeConfiguresThenRestoresInOrderAndAFoundPortIsRestoredAfterTheTransfer) {
    ScriptedLine line;
    line.input = {0x11, 0xA0};  // first port answers wrongly, second rightly, then nothing
    const std::vector<acquisition::PortCandidate> ports = {
        {"COM0", "busy"}, {"COM1", ""}, {"COM2", "a"}, {"COM3", "b"}};
    acqtest::RecordingSink sink;
    std::vector<std::uint8_t> image(recorder::kImageSize);
    int unsaved = 0;
    sleeps.clear();
    const auto result = acquisition::readDevice(line, ports, sink, image, unsaved, recordSleep);

    EXPECT_EQ(result.outcome, acquisition::ReadOutcome::ShortTransfer);
    EXPECT_EQ(result.port, "COM3");
    const std::vector<std::string> probe = {"saveTimeouts", "saveSettings",
                                            "applySettings 115200 8E2",
                                            "applyTimeouts read 100 write 100", "write 8"};
    std::vector<std::string> expected = {"open busy", "open a"};
    expected.insert(expected.end(), probe.begin(), probe.end());
    expected.insert(expected.end(), {"restoreSettings", "restoreTimeouts", "close", "open b"});
    expected.insert(expected.end(), probe.begin(), probe.end());
    expected.insert(expected.end(), {"abortPending", "write 2", "applyTimeouts read 1200 write 100",
                                     "restoreSettings", "restoreTimeouts", "close"});
    EXPECT_EQ(line.log, expected);
    EXPECT_EQ(sleeps, (std::vector<std::string>{"sleep 300", "sleep 300", "sleep 200"}));
}

TEST(ProtocolSequence, ATransferRequestThatIsNotSentReadsNothing) {
    ScriptedLine line;
    line.input = {0xA0, 1, 2, 3};
    line.transferRequestGoesOut = false;
    const std::vector<acquisition::PortCandidate> ports = {{"COM0", "a"}};
    acqtest::RecordingSink sink;
    std::vector<std::uint8_t> image(recorder::kImageSize);
    int unsaved = 1;
    const auto result = acquisition::readDevice(line, ports, sink, image, unsaved, [](int) {});
    EXPECT_EQ(line.reads, 1) << "only the probe answer is read";
    EXPECT_EQ(result.received, 0u);
    EXPECT_EQ(sink.text, "Считывание прервано на 0 байте!");
    EXPECT_EQ(unsaved, 0);
}
