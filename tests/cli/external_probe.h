#pragma once
// What the tests of running litm-NAME and the program litm-probe share.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline constexpr int kProbeStatus = 7;

// Arguments that a careless command line would split, join or lose.
inline std::vector<std::string> awkwardArguments() {
    return {"plain",
            "two words",
            "",
            "quote\"inside",
            "trailing\\",
            "back\\\\\"slash",
            "Кран «Ивановец» №7",
            "C:\\Папка с пробелом\\",
            "tab\there"};
}

// The arguments litm-probe wrote into file.
inline std::vector<std::string> probedArguments(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<std::string> out;
    for (std::size_t start = 0, end; (end = text.find('\0', start)) != std::string::npos;
         start = end + 1)
        out.push_back(text.substr(start, end - start));
    return out;
}
