#include "cli/command_line.h"

#include <charconv>
#include <cstdio>
#include <iostream>

#include "base/regional.h"
#include "cli/terminal_text.h"
#include "fileio/same_file.h"
#include "recorder/loader.h"

namespace cli {

Arguments::Arguments(int argc, char** argv) : args_(argv + 1, argv + argc) {}

bool Arguments::flag(std::string_view name) {
    for (auto it = args_.begin(); it != args_.end(); ++it) {
        if (*it == name) {
            args_.erase(it);
            return true;
        }
    }
    return false;
}

std::optional<std::string> Arguments::value(std::string_view name) {
    auto list = values(name, 1);
    if (list.empty()) return std::nullopt;
    return list.front();
}

std::vector<std::string> Arguments::values(std::string_view name, int count) {
    for (auto it = args_.begin(); it != args_.end(); ++it) {
        if (*it != name) continue;
        if (args_.end() - it <= count)
            throw UsageError{std::string(name) + " needs " + std::to_string(count) +
                             (count == 1 ? " value" : " values")};
        std::vector<std::string> out(it + 1, it + 1 + count);
        args_.erase(it, it + 1 + count);
        return out;
    }
    return {};
}

std::vector<std::string> Arguments::positionals() {
    for (const auto& a : args_)
        if (a.size() > 1 && a[0] == '-') throw UsageError{"unknown option " + a};
    return args_;
}

void Arguments::expectPositionals(std::size_t count, const char* what) {
    if (positionals().size() != count) throw UsageError{std::string("expected ") + what};
}

recorder::NumberFormat numberFormat(Arguments& args) {
    recorder::NumberFormat format;
    if (auto forced = args.value("--decimal")) {
        if (*forced != "," && *forced != ".") throw UsageError{"--decimal takes ',' or '.'"};
        format.decimalSeparator = (*forced)[0];
        return format;
    }
    format.decimalSeparator = base::userDecimalSeparator();
    return format;
}

long long parseInteger(const std::string& text, const char* what, long long min, long long max) {
    long long value = 0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc{} || ptr != end || value < min || value > max)
        throw UsageError{std::string(what) + " must be an integer from " + std::to_string(min) +
                         " to " + std::to_string(max) + ", not '" + text + "'"};
    return value;
}

void reportCannotOpen(const std::string& path, const std::string& reason) {
    std::cerr << "litm: " << recorder::kCannotOpenMessage << " (cannot open " << terminalText(path)
              << ": " << terminalText(reason) << ")\n";
}

bool overwritesInput(std::string_view command, const std::filesystem::path& output,
                     std::span<const std::filesystem::path> inputs) {
    const std::filesystem::path* input = fileio::overwrittenInput(output, inputs);
    if (!input) return false;
    std::cerr << "litm " << command << ": " << terminalText(fileio::sameFileMessage(output, *input))
              << "\n";
    return true;
}

bool loadOrReport(const std::string& path, recorder::Reading& reading,
                  const recorder::NumberFormat& format) {
    std::string error;
    if (recorder::loadReading(path, reading, format, error)) return true;
    reportCannotOpen(path, error);
    return false;
}

bool acceptCheckedReading(const char* command, const std::string& path,
                          const recorder::Reading& reading, bool strict) {
    const std::vector<std::string>& log = reading.LoadErrorLog;
    if (log.empty()) return true;
    constexpr std::size_t kShown = 3;
    std::cerr << "litm " << command << ": " << (strict ? "ошибка" : "внимание") << ": файл «"
              << path << "» не прошёл проверку, ошибок в журнале загрузки: " << log.size() << "\n";
    for (std::size_t i = 0; i < log.size() && i < kShown; ++i) std::cerr << "  " << log[i] << "\n";
    if (log.size() > kShown) std::cerr << "  … (весь журнал: litm check «" << path << "»)\n";
    if (strict)
        std::cerr << "litm " << command << ": «" << path
                  << "» пропущен: с --strict повреждённые данные не печатаются\n";
    else
        std::cerr << "litm " << command
                  << ": отчёт составлен по данным как есть; --strict отказывает в таком случае\n";
    return !strict;
}

}  // namespace cli
