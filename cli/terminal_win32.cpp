#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <cstring>
#include <iostream>
#include <streambuf>
#include <string_view>

#include "cli/terminal.h"

namespace cli {
namespace {

std::string utf8FromWide(const wchar_t* text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 1) return {};
    std::string out(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), length, nullptr, nullptr);
    out.pop_back();  // the terminating zero
    return out;
}

// The length of text without a UTF-8 character cut off at its end, which waits
// for the rest of its bytes: converted alone it would show as two wrong marks.
std::size_t wholeCharacters(std::string_view text) {
    for (std::size_t back = 1; back <= 3 && back <= text.size(); ++back) {
        const auto byte = static_cast<unsigned char>(text[text.size() - back]);
        if ((byte & 0xC0) == 0x80) continue;  // a continuation byte: look further back
        const std::size_t length = byte >= 0xF0 ? 4 : byte >= 0xE0 ? 3 : byte >= 0xC0 ? 2 : 1;
        return length > back ? text.size() - back : text.size();
    }
    return text.size();
}

// A standard stream's buffer writing straight to its handle: UTF-16 through
// WriteConsoleW when the handle is a console (which then shows Cyrillic
// whatever its code page), the bytes as they are through WriteFile otherwise.
class HandleBuffer final : public std::streambuf {
  public:
    HandleBuffer(HANDLE handle, bool console) : handle_(handle), console_(console) {
        setp(buffer_, buffer_ + sizeof buffer_);
    }

  protected:
    int_type overflow(int_type c) override {
        if (!flush()) return traits_type::eof();
        if (!traits_type::eq_int_type(c, traits_type::eof())) {
            *pptr() = traits_type::to_char_type(c);
            pbump(1);
        }
        return traits_type::not_eof(c);
    }
    int sync() override { return flush() ? 0 : -1; }

  private:
    bool flush() {
        const auto size = static_cast<std::size_t>(pptr() - pbase());
        const std::size_t whole = console_ ? wholeCharacters({pbase(), size}) : size;
        const bool written = console_ ? writeConsole(whole) : writeBytes(whole);
        std::memmove(buffer_, buffer_ + whole, size - whole);
        setp(buffer_, buffer_ + sizeof buffer_);
        pbump(static_cast<int>(size - whole));
        return written;
    }
    bool writeBytes(std::size_t size) const {
        for (std::size_t done = 0; done < size;) {
            DWORD written = 0;
            if (!WriteFile(handle_, buffer_ + done, static_cast<DWORD>(size - done), &written,
                           nullptr) ||
                written == 0)
                return false;
            done += written;
        }
        return true;
    }
    bool writeConsole(std::size_t size) const {
        if (size == 0) return true;
        const int bytes = static_cast<int>(size);
        const int length = MultiByteToWideChar(CP_UTF8, 0, buffer_, bytes, nullptr, 0);
        std::wstring text(static_cast<std::size_t>(length), L'\0');
        MultiByteToWideChar(CP_UTF8, 0, buffer_, bytes, text.data(), length);
        for (std::size_t done = 0; done < text.size();) {
            DWORD written = 0;
            if (!WriteConsoleW(handle_, text.data() + done, static_cast<DWORD>(text.size() - done),
                               &written, nullptr) ||
                written == 0)
                return false;
            done += written;
        }
        return true;
    }

    HANDLE handle_;
    bool console_;
    char buffer_[4096];
};

void writeThroughHandle(std::ostream& stream, DWORD which) {
    const HANDLE handle = GetStdHandle(which);
    if (handle == nullptr || handle == INVALID_HANDLE_VALUE) return;  // no such stream
    DWORD mode = 0;
    const bool console = GetConsoleMode(handle, &mode) != 0;
    stream.flush();
    // Never freed: the standard streams are flushed when the program ends,
    // after the objects of this file are gone.
    stream.rdbuf(new HandleBuffer(handle, console));
}

}  // namespace

// A console answers GetConsoleMode; a file or pipe does not.
bool stderrIsTerminal() {
    DWORD mode = 0;
    return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

Utf8Arguments::Utf8Arguments(int argc, char** argv) {
    int count = 0;
    if (wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        for (int i = 0; i < count; ++i) texts_.push_back(utf8FromWide(wide[i]));
        LocalFree(wide);
    } else {
        texts_.assign(argv, argv + argc);
    }
    for (std::string& text : texts_) pointers_.push_back(text.data());
    pointers_.push_back(nullptr);
}

void prepareConsoleOutput() {
    static bool prepared = false;
    if (prepared) return;
    prepared = true;
    writeThroughHandle(std::cout, STD_OUTPUT_HANDLE);
    writeThroughHandle(std::cerr, STD_ERROR_HANDLE);
    std::clog.rdbuf(std::cerr.rdbuf());
}

}  // namespace cli
