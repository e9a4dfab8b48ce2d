#include "recorder/address_report.h"

namespace recorder {
namespace {

template <typename T>
std::string threeAddresses(const std::array<T, 3>& c) {
    return "Адрес1: " + std::to_string(c[0]) + "\r\nАдрес2: " + std::to_string(c[1]) +
           "\r\nАдрес3: " + std::to_string(c[2]);
}

}  // namespace

std::vector<std::string> addressReportEntries(const PointerBlock& p) {
    return {
        "Адреса памяти страницы\r\n" + threeAddresses(p.page) + "\r\nАдреса памяти кадра\r\n" +
            threeAddresses(p.frame),
        "Адреса памяти перегрузок:\r\n" + threeAddresses(p.overload),
        "Адреса памяти КДС:\r\n" + threeAddresses(p.kds),
        "Адреса памяти настроек:\r\n" + threeAddresses(p.settings),
    };
}

}  // namespace recorder
