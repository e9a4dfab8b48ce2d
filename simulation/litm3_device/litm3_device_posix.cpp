#include "simulation/litm3_device/litm3_device_posix.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

namespace litm3sim {

namespace {

// A transfer nobody reads any more is given up after this long, and what it
// left in the terminal is discarded so the next conversation starts clean.
constexpr auto kStallLimit = std::chrono::seconds(3);

}  // namespace

Device::Device(std::vector<std::uint8_t> image, DeviceOptions options)
    : engine_(std::move(image), options) {}

Device::~Device() {
    if (master_ >= 0) ::close(master_);
    if (slave_ >= 0) ::close(slave_);
}

bool Device::open(std::string& error) {
    termios raw{};
    ::cfmakeraw(&raw);
    ::cfsetispeed(&raw, B115200);
    ::cfsetospeed(&raw, B115200);
    char name[256] = {};
    if (::openpty(&master_, &slave_, name, &raw, nullptr) != 0) {
        error = std::string("openpty: ") + std::strerror(errno);
        return false;
    }
    ::fcntl(master_, F_SETFL, ::fcntl(master_, F_GETFL) | O_NONBLOCK);
    ::fcntl(master_, F_SETFD, FD_CLOEXEC);
    ::fcntl(slave_, F_SETFD, FD_CLOEXEC);
    path_ = name;
    return true;
}

bool Device::writeAll(const std::uint8_t* data, std::size_t n, const std::atomic<bool>& stop) {
    auto lastProgress = std::chrono::steady_clock::now();
    while (n > 0) {
        if (stop.load()) return false;
        const ssize_t w = ::write(master_, data, n);
        if (w > 0) {
            data += w;
            n -= static_cast<std::size_t>(w);
            lastProgress = std::chrono::steady_clock::now();
            continue;
        }
        if (w < 0 && errno != EAGAIN && errno != EINTR) return false;
        if (std::chrono::steady_clock::now() - lastProgress > kStallLimit) return false;
        pollfd p{master_, POLLOUT, 0};
        ::poll(&p, 1, 20);
    }
    return true;
}

void Device::sendImage(const std::atomic<bool>& stop) {
    ++transfers_;
    bool sent = true;
    const std::vector<std::uint8_t>& stream = engine_.stream();
    if (engine_.options().fast) {
        sent = writeAll(stream.data(), stream.size(), stop);
    } else {
        // Paced by the clock: after t seconds at most t * 9600 bytes are out.
        const auto start = std::chrono::steady_clock::now();
        std::size_t done = 0;
        while (done < stream.size() && sent) {
            const double elapsed =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            const auto due = std::min(stream.size(),
                                      static_cast<std::size_t>(elapsed * kLineBytesPerSecond) + 1);
            if (due > done) {
                sent = writeAll(stream.data() + done, due - done, stop);
                done = due;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    if (!sent) ::tcflush(slave_, TCIFLUSH);
}

void Device::serve(const std::atomic<bool>& stop) {
    while (!stop.load()) {
        pollfd p{master_, POLLIN, 0};
        if (::poll(&p, 1, 50) <= 0) continue;
        std::uint8_t request[256];
        const ssize_t n = ::read(master_, request, sizeof request);
        if (n <= 0) {
            // Nobody has the terminal open for the moment; wait for the next open.
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
            continue;
        }
        for (ssize_t i = 0; i < n; ++i) {
            switch (engine_.reply(request[i])) {
                case Engine::Reply::ProbeAnswer:
                    writeAll(&engine_.probeAnswer(), 1, stop);
                    break;
                case Engine::Reply::Image:
                    sendImage(stop);
                    break;
                case Engine::Reply::Nothing:
                    break;
            }
        }
    }
}

DeviceThread::DeviceThread(std::vector<std::uint8_t> image, DeviceOptions options)
    : device_(std::move(image), options) {
    ok_ = device_.open(error_);
    if (ok_) thread_ = std::thread([this] { device_.serve(stop_); });
}

DeviceThread::~DeviceThread() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
}

}  // namespace litm3sim
