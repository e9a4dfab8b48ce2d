#pragma once
// Where the acquisition reports: a one-line status with a background colour,
// and a 0..100 gauge. The operation blocks its caller, so a status change that
// must be seen at once is followed by repaintStatus().

#include <string>

namespace acquisition {

// The background colour tells the phase: button face while searching, after a
// failed transfer and after saving; red while receiving; yellow while summing or
// after a sum mismatch; green after a good reading.
enum class StatusColour { ButtonFace, Red, Yellow, Green };

class StatusSink {
  public:
    virtual ~StatusSink() = default;
    virtual void setStatusText(const std::string& utf8) = 0;
    virtual void setStatusColour(StatusColour colour) = 0;
    virtual void repaintStatus() = 0;
    virtual void setGauge(int percent) = 0;
    // Asked between the steps of an acquisition, often (at least every few
    // hundred milliseconds while bytes arrive): true ends it at once, the port
    // released, nothing kept. A window handles its pending input here.
    virtual bool stopRequested() { return false; }
};

}  // namespace acquisition
