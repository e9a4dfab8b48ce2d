// The engine's messages, exactly as the user sees them.
#pragma once

namespace RepoRTF_interface::messages {

inline constexpr const char* kSameFile = "Имена файлов шаблона и отчета совпадают.";
// The data file and the report are one file: creating the report would destroy the
// data before it is read.
inline constexpr const char* kSameDataFile = "Имена файлов данных и отчета совпадают.";
inline constexpr const char* kTemplateNotOpened = "Не открыт файл шаблона";
inline constexpr const char* kReportNotOpened =
    "Не открыт файл отчета.\nВОЗМОЖНО НЕ ЗАКРЫТ СТАРЫЙ ОТЧЕТ.";
inline constexpr const char* kDataNotOpened = "Не открыт файл данных";
inline constexpr const char* kStructure = "Ошибка в структуре файла шаблона и/или данных";
inline constexpr const char* kAborted = "Создание отчета прервано";
inline constexpr const char* kWriteError = "Ошибка записи в файл отчета";

}  // namespace RepoRTF_interface::messages
