#include "acquisition/serial_line_win32.h"

#include <algorithm>

#include <windows.h>

#include "base/utf8_path.h"
#include "fileio/interrupt.h"

namespace acquisition {

struct Win32SerialLine::Saved {
    DCB settings{};
    bool haveSettings = false;
    COMMTIMEOUTS timeouts{};
    bool haveTimeouts = false;
};

namespace {

// Another program holds the port: Windows opens a communications port for one
// handle at a time.
bool heldByAnotherProgram(DWORD error) {
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION || error == ERROR_BUSY;
}

BYTE parityCode(Parity parity) {
    switch (parity) {
        case Parity::Even:
            return EVENPARITY;
        case Parity::Odd:
            return ODDPARITY;
        default:
            return NOPARITY;
    }
}

// No handshake of any kind, DTR and RTS held off, no abort on error; the parity
// bit is sent but the parity of received bytes is not checked.
void setLineFlags(DCB& dcb) {
    dcb.fBinary = TRUE;
    dcb.fParity = FALSE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_DISABLE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fTXContinueOnXoff = TRUE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fRtsControl = RTS_CONTROL_DISABLE;
    dcb.fAbortOnError = FALSE;
}

}  // namespace

Win32SerialLine::Win32SerialLine() : saved_(std::make_unique<Saved>()) {}

Win32SerialLine::~Win32SerialLine() {
    close();
}

bool Win32SerialLine::open(const std::string& device) {
    close();
    busy_ = false;
    // No sharing: the port is this program's alone while it is open.
    const HANDLE h = ::CreateFileW(base::pathFromUtf8(device).c_str(), GENERIC_READ | GENERIC_WRITE,
                                   0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        busy_ = heldByAnotherProgram(::GetLastError());
        return false;
    }
    // Only a device with a communications state is a serial port.
    DCB probe{};
    probe.DCBlength = sizeof probe;
    if (::GetFileType(h) != FILE_TYPE_CHAR || !::GetCommState(h, &probe)) {
        ::CloseHandle(h);
        return false;
    }
    handle_ = h;
    *saved_ = Saved{};
    // Whatever an earlier program left in the port's buffers is not the
    // device's answer to this program's probe.
    ::PurgeComm(h, PURGE_TXABORT | PURGE_RXABORT | PURGE_TXCLEAR | PURGE_RXCLEAR);
    return true;
}

void Win32SerialLine::saveTimeouts() {
    if (handle_) saved_->haveTimeouts = ::GetCommTimeouts(handle_, &saved_->timeouts) != 0;
}

void Win32SerialLine::saveSettings() {
    if (!handle_) return;
    saved_->settings.DCBlength = sizeof saved_->settings;
    saved_->haveSettings = ::GetCommState(handle_, &saved_->settings) != 0;
}

void Win32SerialLine::restoreSettings() {
    if (handle_ && saved_->haveSettings) ::SetCommState(handle_, &saved_->settings);
}

void Win32SerialLine::restoreTimeouts() {
    if (handle_ && saved_->haveTimeouts) ::SetCommTimeouts(handle_, &saved_->timeouts);
}

void Win32SerialLine::applySettings(const LineSettings& settings) {
    if (!handle_) return;
    // The port's current record keeps what is not named here valid (the
    // handshake characters and limits, which stay unused).
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    ::GetCommState(handle_, &dcb);
    dcb.BaudRate = static_cast<DWORD>(settings.baudRate);
    dcb.ByteSize = static_cast<BYTE>(settings.dataBits);
    dcb.Parity = parityCode(settings.parity);
    dcb.StopBits = settings.stopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;
    setLineFlags(dcb);
    ::SetCommState(handle_, &dcb);
}

void Win32SerialLine::applyTimeouts(const Timeouts& timeouts) {
    if (!handle_) return;
    COMMTIMEOUTS t{};
    t.ReadIntervalTimeout = static_cast<DWORD>(timeouts.readInterval);
    t.ReadTotalTimeoutMultiplier = static_cast<DWORD>(timeouts.readTotalPerByte);
    t.ReadTotalTimeoutConstant = static_cast<DWORD>(timeouts.readTotalConstant);
    t.WriteTotalTimeoutMultiplier = static_cast<DWORD>(timeouts.writeTotalPerByte);
    t.WriteTotalTimeoutConstant = static_cast<DWORD>(timeouts.writeTotalConstant);
    ::SetCommTimeouts(handle_, &t);
}

void Win32SerialLine::abortPending() {
    // Bytes already received stay in the input buffer.
    if (handle_) ::PurgeComm(handle_, PURGE_TXABORT | PURGE_RXABORT);
}

bool Win32SerialLine::writeByte(std::uint8_t byte) {
    if (!handle_ || fileio::interruptSignal() != 0) return false;
    DWORD written = 0;
    return ::WriteFile(handle_, &byte, 1, &written, nullptr) && written == 1;
}

bool Win32SerialLine::readByte(std::uint8_t& byte) {
    return readNow(std::span(&byte, 1)) == 1;
}

std::size_t Win32SerialLine::bytesWaiting() {
    DWORD errors = 0;
    COMSTAT status{};
    if (!::ClearCommError(handle_, &errors, &status)) return 0;
    return status.cbInQue;
}

// One read of the port under its time-outs; Ctrl+C under the command-line tool
// ends the conversation at the next read.
std::size_t Win32SerialLine::readNow(std::span<std::uint8_t> into) {
    if (!handle_ || into.empty() || fileio::interruptSignal() != 0) return 0;
    DWORD read = 0;
    if (!::ReadFile(handle_, into.data(), static_cast<DWORD>(into.size()), &read, nullptr)) {
        return 0;
    }
    return read;
}

std::size_t Win32SerialLine::readAvailable(std::span<std::uint8_t> into) {
    if (!handle_ || into.empty()) return 0;
    // Only what has arrived is asked for, so the read returns at once; with
    // nothing there, one byte is waited for under the read time-out.
    std::size_t n = readNow(into.first(std::clamp<std::size_t>(bytesWaiting(), 1, into.size())));
    if (n == 0 || n == into.size()) return n;
    if (const std::size_t more = std::min(bytesWaiting(), into.size() - n)) {
        n += readNow(into.subspan(n, more));
    }
    return n;
}

void Win32SerialLine::close() {
    if (!handle_) return;
    ::CloseHandle(handle_);
    handle_ = nullptr;
}

}  // namespace acquisition
