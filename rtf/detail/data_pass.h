// The data pass: data lines fill the converted template, document fields (level
// 0) in place and block rows (levels 1 to 999) as copies of their block, and the
// finished text is written to the report as it is flushed.
//
// The output buffer is never built as text. It is the list of template ranges
// appended to it, and for every key the values its lines gave, each with the
// output position up to which it fills that key's fields: a field takes the
// first value given after it entered the output. The flush walks the ranges and
// writes text, values and nothing for unused fields and blocks straight to the
// report. So the engine holds the converted template, the data file, about 40
// bytes per distinct key and 16 per value given, whatever the template's shape,
// and the report is never held in memory.
#pragma once

#include <string>

#include "rtf/detail/template_text.h"
#include "rtf/detail/text_files.h"
#include "rtf/report_engine.h"

namespace RepoRTF_interface::detail {

// Runs the pass and writes the whole report text (without closing the writer).
// The data is read in place (its OEM lines are converted where they stand).
// Throws RepoRTF_Error for a level out of range, an abort by the progress callback
// and a write error.
void runDataPass(const TemplateText& converted, bool rtf, std::string& data,
                 const ProgressCallback& progress, ReportWriter& report);

}  // namespace RepoRTF_interface::detail
