#pragma once
// Captions and texts of the main window and its open command.

namespace main_window_texts {
inline constexpr const char* kCaption = "Анализ данных регистратора параметров ТИРС-48";
inline constexpr const char* kOpenTitle = "Открыть";
inline constexpr const char* kOpenFilter = "Файлы РП ТИРС-48С (*.litm);;Все файлы (*.*)";
inline constexpr const char* kOpenSelectedFilter = "Файлы РП ТИРС-48С (*.litm)";
// The window puts the core's message below an empty line: "\n " + kCannotOpenMessage.
inline constexpr const char* kCannotOpenIndent = "\n ";
inline constexpr const char* kHelpFile = "HELP48.HLP";
}  // namespace main_window_texts
