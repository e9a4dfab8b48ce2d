#include "acquisition/termios_line_posix.h"

#include <algorithm>
#include <cerrno>
#include <chrono>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include "fileio/interrupt.h"

namespace acquisition {

namespace {

speed_t speedCode(int baudRate) {
    switch (baudRate) {
        case 9600:
            return B9600;
        case 19200:
            return B19200;
        case 38400:
            return B38400;
        case 57600:
            return B57600;
        case 230400:
            return B230400;
        default:
            return B115200;
    }
}

// Waits until fd is ready for events or the time is up; true when ready.
bool waitFor(int fd, short events, int waitMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        pollfd p{fd, events, 0};
        const int r = ::poll(&p, 1, left > 0 ? static_cast<int>(left) : 0);
        if (r > 0) return (p.revents & events) != 0;
        if (r == 0 && left <= 0) return false;
        if (r < 0 && errno != EINTR) return false;
        // Ctrl+C under the command-line tool: the line answers nothing more, so
        // the conversation ends at once and the port gets its settings back.
        if (r < 0 && fileio::interruptSignal() != 0) return false;
    }
}

}  // namespace

TermiosLine::~TermiosLine() {
    close();
}

bool TermiosLine::open(const std::string& device) {
    close();
    busy_ = false;
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        busy_ = errno == EBUSY;  // another program has it in exclusive mode
        return false;
    }
    // Only a terminal device is a serial port. "No sharing": the terminal's
    // exclusive mode keeps others from opening it, and the advisory lock tells
    // programs that already have it open.
    if (!::isatty(fd)) {
        ::close(fd);
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0 || ::ioctl(fd, TIOCEXCL) != 0) {
        busy_ = errno == EWOULDBLOCK || errno == EBUSY;
        ::close(fd);
        return false;
    }
    fd_ = fd;
    haveSavedSettings_ = false;
    haveSavedTimeouts_ = false;
    timeouts_ = {};
    bufferStart_ = bufferEnd_ = 0;
    return true;
}

void TermiosLine::saveTimeouts() {
    termios t{};
    if (fd_ < 0 || ::tcgetattr(fd_, &t) != 0) return;
    savedVmin_ = t.c_cc[VMIN];
    savedVtime_ = t.c_cc[VTIME];
    haveSavedTimeouts_ = true;
}

void TermiosLine::saveSettings() {
    if (fd_ >= 0) haveSavedSettings_ = ::tcgetattr(fd_, &savedSettings_) == 0;
}

void TermiosLine::restoreSettings() {
    if (fd_ < 0 || !haveSavedSettings_) return;
    // VMIN and VTIME belong to the time-outs and are put back by restoreTimeouts().
    termios t = savedSettings_;
    termios now{};
    if (::tcgetattr(fd_, &now) == 0) {
        t.c_cc[VMIN] = now.c_cc[VMIN];
        t.c_cc[VTIME] = now.c_cc[VTIME];
    }
    ::tcsetattr(fd_, TCSANOW, &t);
}

void TermiosLine::restoreTimeouts() {
    termios t{};
    if (fd_ < 0 || !haveSavedTimeouts_ || ::tcgetattr(fd_, &t) != 0) return;
    t.c_cc[VMIN] = savedVmin_;
    t.c_cc[VTIME] = savedVtime_;
    ::tcsetattr(fd_, TCSANOW, &t);
}

void TermiosLine::applySettings(const LineSettings& settings) {
    if (fd_ < 0) return;
    termios t{};
    ::tcgetattr(fd_, &t);
    ::cfmakeraw(&t);
    ::cfsetispeed(&t, speedCode(settings.baudRate));
    ::cfsetospeed(&t, speedCode(settings.baudRate));
    t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS | HUPCL);
    t.c_cflag |= CLOCAL | CREAD;
    switch (settings.dataBits) {
        case 5:
            t.c_cflag |= CS5;
            break;
        case 6:
            t.c_cflag |= CS6;
            break;
        case 7:
            t.c_cflag |= CS7;
            break;
        default:
            t.c_cflag |= CS8;
    }
    if (settings.parity != Parity::None) t.c_cflag |= PARENB;
    if (settings.parity == Parity::Odd) t.c_cflag |= PARODD;
    if (settings.stopBits == 2) t.c_cflag |= CSTOPB;
    // Parity of received bytes is ignored; no software handshake.
    t.c_iflag &= ~static_cast<tcflag_t>(INPCK | PARMRK | IXON | IXOFF | IXANY);
    t.c_iflag |= IGNPAR;
    ::tcsetattr(fd_, TCSANOW, &t);
    // DTR and RTS held off (a pseudo-terminal has no such lines and refuses).
    int lines = TIOCM_DTR | TIOCM_RTS;
    ::ioctl(fd_, TIOCMBIC, &lines);
}

void TermiosLine::applyTimeouts(const Timeouts& timeouts) {
    timeouts_ = timeouts;
    termios t{};
    if (fd_ < 0 || ::tcgetattr(fd_, &t) != 0) return;
    // Reads are non-blocking and timed by poll(), so the terminal itself never waits.
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    ::tcsetattr(fd_, TCSANOW, &t);
}

void TermiosLine::abortPending() {
    // Every call here completes before it returns, so nothing is ever pending;
    // bytes already received stay in the buffer.
}

bool TermiosLine::writeByte(std::uint8_t byte) {
    if (fd_ < 0 || fileio::interruptSignal() != 0) return false;
    if (!waitFor(fd_, POLLOUT, timeouts_.writeWaitForOneByte())) return false;
    for (;;) {
        const ssize_t n = ::write(fd_, &byte, 1);
        if (n == 1) return true;
        if (n < 0 && errno == EINTR) continue;
        return false;
    }
}

bool TermiosLine::fillBuffer(int waitMs) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(waitMs);
    for (;;) {
        const ssize_t n = ::read(fd_, buffer_.data(), buffer_.size());
        if (n > 0) {
            bufferStart_ = 0;
            bufferEnd_ = static_cast<std::size_t>(n);
            return true;
        }
        if (fileio::interruptSignal() != 0) return false;
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) return false;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0 || !waitFor(fd_, POLLIN, static_cast<int>(left))) return false;
    }
}

bool TermiosLine::readByte(std::uint8_t& byte) {
    if (fd_ < 0) return false;
    if (bufferStart_ == bufferEnd_ && !fillBuffer(timeouts_.readWaitForOneByte())) return false;
    byte = buffer_[bufferStart_++];
    return true;
}

std::size_t TermiosLine::readAvailable(std::span<std::uint8_t> into) {
    if (fd_ < 0 || into.empty()) return 0;
    if (bufferStart_ == bufferEnd_ && !fillBuffer(timeouts_.readWaitForOneByte())) return 0;
    const std::size_t n = std::min(into.size(), bufferEnd_ - bufferStart_);
    std::copy_n(buffer_.data() + bufferStart_, n, into.data());
    bufferStart_ += n;
    return n;
}

void TermiosLine::close() {
    if (fd_ < 0) return;
    ::ioctl(fd_, TIOCNXCL);
    ::close(fd_);
    fd_ = -1;
    bufferStart_ = bufferEnd_ = 0;
}

}  // namespace acquisition
