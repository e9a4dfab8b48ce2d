// The data pass: data lines fill the converted template, document fields (level
// 0) in place and block rows (levels 1 to 999) as copies of their block, and the
// finished text is written to the report.
#pragma once

#include <string>
#include <string_view>

#include "rtf/detail/template_text.h"
#include "rtf/detail/text_files.h"
#include "rtf/report_engine.h"

namespace RepoRTF_interface::detail {

// Runs the pass and writes the whole report text (without closing the writer).
// The converted template and the data are released before the last flush.
// Throws RepoRTF_Error for a level out of range, an abort by the progress callback
// and a write error.
void runDataPass(TemplateText& converted, bool rtf, std::string data,
                 const ProgressCallback& progress, ReportWriter& report);

}  // namespace RepoRTF_interface::detail
