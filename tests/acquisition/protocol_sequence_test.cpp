// The order in which the protocol drives a serial line, on paths a real
// device cannot easily produce. The line here is a script, not a port.

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <span>

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

namespace {

// A device that sends a stream after the transfer request; each read takes at
// most `piece` bytes of what has arrived (0: one byte per read, as a line that
// cannot see what has arrived).
class StreamLine : public acquisition::InProcessLine {
  public:
    StreamLine(std::vector<std::uint8_t> stream, std::size_t piece)
        : stream_(std::move(stream)), piece_(piece) {}
    bool open(const std::string&) override { return true; }
    bool isOpen() const override { return true; }
    bool writeByte(std::uint8_t byte) override {
        if (byte == acquisition::kProbeRequest) probe_ = true;
        if (byte == acquisition::kTransferRequest) sending_ = true;
        return true;
    }
    bool readByte(std::uint8_t& byte) override {
        if (probe_) {
            probe_ = false;
            byte = acquisition::kProbeAnswer;
            return true;
        }
        if (!sending_ || at_ == stream_.size()) return false;
        byte = stream_[at_++];
        return true;
    }
    std::size_t readAvailable(std::span<std::uint8_t> into) override {
        if (piece_ == 0 || probe_ || !sending_) return SerialLine::readAvailable(into);
        const std::size_t n = std::min({into.size(), piece_, stream_.size() - at_});
        std::copy_n(stream_.begin() + static_cast<std::ptrdiff_t>(at_), n, into.begin());
        at_ += n;
        return n;
    }
    void close() override {}

    std::size_t left() const { return stream_.size() - at_; }

  private:
    std::vector<std::uint8_t> stream_;
    std::size_t piece_;
    std::size_t at_ = 0;
    bool probe_ = false;
    bool sending_ = false;
};

}  // namespace

TEST(ProtocolSequence, AStreamReadInBlocksEndsAndShowsExactlyAsReadByteByByte) {
    const std::vector<std::uint8_t> image = acqtest::patternedImage(3);
    std::vector<std::uint8_t> wrongSum = image;
    wrongSum[1000] ^= 1;
    const std::size_t drained = recorder::kImageSize + acquisition::kOverrunDrainLimit;
    auto longer = [&](std::size_t n) {
        std::vector<std::uint8_t> stream = image;
        stream.resize(n, 0x5A);
        return stream;
    };
    const std::vector<std::vector<std::uint8_t>> streams = {{},
                                                            image,
                                                            wrongSum,
                                                            longer(5000),
                                                            longer(2700),
                                                            longer(270001),
                                                            longer(270337),
                                                            longer(drained),
                                                            longer(drained + 4097)};
    const std::vector<acquisition::PortCandidate> ports = {{"COM1", "a"}};
    for (const auto& stream : streams) {
        acqtest::RecordingSink byteSink;
        StreamLine byteLine(stream, 0);
        std::vector<std::uint8_t> byteImage(recorder::kImageSize);
        int unsaved = 0;
        const auto byByte =
            acquisition::readDevice(byteLine, ports, byteSink, byteImage, unsaved, [](int) {});
        EXPECT_EQ(byByte.received, std::min(stream.size(), drained));
        EXPECT_EQ(byteLine.left(), stream.size() - byByte.received)
            << "nothing read past the limit";
        for (const std::size_t piece : {1, 61, 2700, 4096, 1000000}) {
            SCOPED_TRACE("stream of " + std::to_string(stream.size()) + " bytes, pieces of " +
                         std::to_string(piece));
            acqtest::RecordingSink sink;
            StreamLine line(stream, piece);
            std::vector<std::uint8_t> got(recorder::kImageSize);
            const auto result =
                acquisition::readDevice(line, ports, sink, got, unsaved, [](int) {});
            EXPECT_EQ(result.outcome, byByte.outcome);
            EXPECT_EQ(result.received, byByte.received);
            EXPECT_EQ(result.computedSum, byByte.computedSum);
            EXPECT_EQ(line.left(), byteLine.left());
            EXPECT_EQ(got, byteImage);
            EXPECT_EQ(sink.gaugeValues, byteSink.gaugeValues);
            EXPECT_EQ(sink.painted, byteSink.painted);
        }
    }
}

// The user stops: before the probes nothing is opened; in the transfer the
// port is given back its settings and closed at once, nothing is kept.
TEST(ProtocolSequence, AStopEndsAtOnceAndReleasesThePort) {
    class StoppingSink : public acqtest::RecordingSink {
      public:
        int stopAfterAsks = 0;
        int asks = 0;
        bool stopRequested() override { return ++asks > stopAfterAsks; }
    };
    const std::vector<acquisition::PortCandidate> ports = {{"COM0", "a"}};
    std::vector<std::uint8_t> image(recorder::kImageSize);
    int unsaved = 1;

    ScriptedLine idle;
    StoppingSink before;
    auto result = acquisition::readDevice(idle, ports, before, image, unsaved, recordSleep);
    EXPECT_EQ(result.outcome, acquisition::ReadOutcome::Stopped);
    EXPECT_TRUE(idle.log.empty());
    EXPECT_EQ(before.text, acquisition::kStoppedByUser);

    ScriptedLine line;
    line.input.assign(5000, 0x5A);
    line.input.front() = 0xA0;  // the probe answer, then the stream
    StoppingSink during;
    during.stopAfterAsks = 4;  // the port loop, after the probe, after the settle, one read
    result = acquisition::readDevice(line, ports, during, image, unsaved, recordSleep);
    EXPECT_EQ(result.outcome, acquisition::ReadOutcome::Stopped);
    EXPECT_EQ(unsaved, 0);
    EXPECT_GT(result.received, 0u);
    EXPECT_LT(result.received, 5000u);
    EXPECT_FALSE(line.isOpen());
    const std::vector<std::string> tail(line.log.end() - 3, line.log.end());
    EXPECT_EQ(tail, (std::vector<std::string>{"restoreSettings", "restoreTimeouts", "close"}));
    EXPECT_EQ(during.text, acquisition::kStoppedByUser);
    EXPECT_EQ(during.colour, acquisition::StatusColour::ButtonFace);
    EXPECT_EQ(during.gauge, 0);
}
