#include "acquisition/litm3_protocol.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <thread>

#include "recorder/datafile.h"

namespace acquisition {

void sleepMilliseconds(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

namespace {

// Touches the gauge only when its value changes: setting it repaints it.
class Gauge {
  public:
    explicit Gauge(StatusSink& sink) : sink_(sink) {}
    void set(int value) {
        value = std::clamp(value, 0, 100);
        if (value == value_) return;
        value_ = value;
        sink_.setGauge(value);
    }
    void reset() {
        value_ = 0;
        sink_.setGauge(0);
    }

  private:
    StatusSink& sink_;
    int value_ = -1;
};

void show(StatusSink& sink, const std::string& text) {
    sink.setStatusText(text);
    sink.repaintStatus();
}

// Probes one port. True leaves it open and configured for the device.
bool probe(SerialLine& line, const PortCandidate& port, const SleepFunction& sleep) {
    if (port.device.empty() || !line.open(port.device)) return false;
    line.saveTimeouts();
    line.saveSettings();
    line.applySettings(kDeviceLineSettings);
    line.applyTimeouts(kProbeTimeouts);
    sleep(kProbeSettleMs);
    std::uint8_t reply = 0;
    if (line.writeByte(kProbeRequest) && line.readByte(reply) && reply == kProbeAnswer) {
        return true;
    }
    line.restoreSettings();
    line.restoreTimeouts();
    line.close();
    return false;
}

void releasePort(SerialLine& line) {
    line.restoreSettings();
    line.restoreTimeouts();
    line.close();
}

// Probes the ports in turn; the first that answers is left open for the transfer.
const PortCandidate* findDevice(SerialLine& line, std::span<const PortCandidate> ports,
                                StatusSink& sink, const SleepFunction& sleep) {
    show(sink, "Поиск устройства...");
    for (const PortCandidate& port : ports) {
        show(sink, "Опрашивается порт " + port.name + "...");
        if (probe(line, port, sleep)) return &port;
    }
    show(sink, "Устройство не обнаружено!");
    return nullptr;
}

// Asks for the image and reads until a read waits out its time-out: that marks
// the end of the stream, so the count is exact. Each read takes what has
// arrived, so an image is not read one call per byte. Bytes past a full image
// are counted but not stored, and no more than the drain limit is read.
std::size_t receiveImage(SerialLine& line, std::span<std::uint8_t> image, Gauge& gauge,
                         const SleepFunction& sleep) {
    line.abortPending();
    bool moved = line.writeByte(kTransferRequest);  // still under the probe time-outs
    line.applyTimeouts(kTransferTimeouts);
    sleep(kTransferSettleMs);

    const std::size_t capacity = std::min(image.size(), recorder::kImageSize);
    const std::size_t limit = recorder::kImageSize + kOverrunDrainLimit;
    std::array<std::uint8_t, 4096> overrun{};  // bytes past the image land here
    std::size_t k = 0;
    while (moved && k < limit) {
        const bool storing = k < capacity;
        const std::size_t n = line.readAvailable(
            storing ? image.subspan(k, capacity - k)
                    : std::span(overrun).first(std::min(overrun.size(), limit - k)));
        moved = n > 0;
        // The gauge steps through every value it would take byte by byte.
        if (storing && moved)
            for (std::size_t step = k / 2700; step <= (k + n - 1) / 2700; ++step)
                gauge.set(static_cast<int>(step));
        k += n;
    }
    return k;
}

// A transfer of any other length than an image is refused and the port released;
// the gauge stays where the transfer stopped.
ReadOutcome refuseTransfer(std::size_t received, SerialLine& line, StatusSink& sink) {
    sink.setStatusText("Ошибка считывания!");
    sink.setStatusColour(StatusColour::ButtonFace);
    sink.repaintStatus();
    releasePort(line);
    if (received > recorder::kImageSize) {
        show(sink, "Устройство передало больше " + std::to_string(recorder::kImageSize) +
                       " байт! Считывание не принято.");
        return ReadOutcome::Overrun;
    }
    show(sink, "Считывание прервано на " + std::to_string(received) + " байте!");
    return ReadOutcome::ShortTransfer;
}

// The sum of the image's summed bytes; the gauge follows it, one step per 2641 bytes.
std::uint32_t imageSum(std::span<const std::uint8_t> image, Gauge& gauge) {
    gauge.reset();
    constexpr std::size_t kSumStep = 2641;
    const std::size_t summed = std::min(recorder::kSummedSize, image.size());
    std::uint32_t sum = 0;
    for (std::size_t from = 0; from < summed; from += kSumStep) {
        gauge.set(static_cast<int>(from / kSumStep));
        const std::size_t to = std::min(summed, from + kSumStep);
        for (std::size_t i = from; i < to; ++i) sum += image[i];
    }
    return sum;
}

}  // namespace

ReadResult readDevice(SerialLine& line, std::span<const PortCandidate> ports, StatusSink& sink,
                      std::span<std::uint8_t> image, int& unsavedReading,
                      const SleepFunction& sleep) {
    ReadResult result;
    Gauge gauge(sink);

    sink.setStatusColour(StatusColour::ButtonFace);
    unsavedReading = 0;
    const PortCandidate* found = findDevice(line, ports, sink, sleep);
    if (!found) return result;
    result.port = found->name;

    sink.setStatusColour(StatusColour::Red);
    show(sink, "ЛИТМ-3, подключен к порту " + found->name);
    gauge.reset();
    result.received = receiveImage(line, image, gauge, sleep);
    if (result.received != recorder::kImageSize) {
        result.outcome = refuseTransfer(result.received, line, sink);
        return result;
    }
    releasePort(line);

    sink.setStatusColour(StatusColour::Yellow);
    gauge.reset();
    show(sink, "Считано " + std::to_string(result.received) + " байт. Расчет контрольной суммы...");
    result.computedSum = imageSum(image, gauge);
    result.storedSum = recorder::storedImageSum(image);
    if (result.computedSum == result.storedSum) {
        result.outcome = ReadOutcome::Good;
        sink.setStatusColour(StatusColour::Green);
        show(sink, "Считывание успешно завершено!");
    } else {
        result.outcome = ReadOutcome::SumMismatch;
        show(sink, "Несоответствие контрольной суммы!");
    }
    gauge.reset();
    unsavedReading = 1;
    return result;
}

}  // namespace acquisition
