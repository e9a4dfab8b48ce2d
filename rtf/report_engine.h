// The RTF template report engine (unit Reportfm).
//
// Merges a report data file (lines "|level:Key:value") into an RTF or plain-text
// template and writes the report. The engine is plain C++: it must not depend on
// Qt or on the recorder model. The one platform service it needs, making a font
// file available to applications, is reached through a callback that the GUI sets.
//
// Internally (rtf/detail/) the work is split by stage: template_pass (fields to
// markers), template_text (the converted template and its block tags), data_lines
// (lines, pairs, values), key_table (the keys the data names), data_pass (filling
// and writing the report as it goes) and text_files (text-mode reading and
// writing).
#pragma once

#include <cstdint>
#include <ctime>
#include <exception>
#include <filesystem>
#include <functional>
#include <string>

namespace RepoRTF_interface {

// The engine's error: its only member is the message text, one of the constants
// of report_messages.h (UTF-8).
class RepoRTF_Error : public std::exception {
  public:
    explicit RepoRTF_Error(const char* message) noexcept : Message(message) {}
    const char* what() const noexcept override { return Message; }

    const char* Message;
};

// Receives the number of data lines read so far (counting from 1); a result other
// than 0 stops the report.
using ProgressCallback = std::function<int(std::int64_t lineCount)>;

// Makes a font file named by a template's font directive available to the
// application. The name is passed as the raw bytes found in the template.
using FontRegistration = std::function<void(const std::string& fontFile)>;

// Local date and time for the DATE and TIME fields.
using Clock = std::function<std::tm()>;

// Sets the font registration used by later calls; an empty function restores the
// default, which does nothing.
void SetFontRegistration(FontRegistration registration);

// Sets the clock used by later calls; an empty function restores the system's
// local time.
void SetClock(Clock clock);

// Merges the data file into the template and writes the report (created, or
// emptied if it exists). Returns only when the report is complete and every file
// the call opened is closed; otherwise throws RepoRTF_Error.
void CreateReport(const std::filesystem::path& dataFile, const std::filesystem::path& templateFile,
                  const std::filesystem::path& reportFile, const ProgressCallback& progress = {});

}  // namespace RepoRTF_interface
