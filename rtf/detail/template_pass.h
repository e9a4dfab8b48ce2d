// The template pass: the template text becomes the engine's internal form, every
// field of it replaced by a marker or by its fixed text, and the directives
// (delimiter change, font) carried out.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "rtf/report_engine.h"

namespace RepoRTF_interface::detail {

struct TemplatePassContext {
    bool rtf = true;
    const FontRegistration* registerFont = nullptr;  // may be null or empty
    std::string date;                                // "dd.mm.yyyy"
    std::string time;                                // "hh:mm"
};

// Every "\fcharset0" becomes "\fcharset204", so the fonts declare the Cyrillic set.
std::string rewriteCharset(std::string_view text);
// The same in place; a text read with room to spare grows without a copy.
void rewriteCharsetInPlace(std::string& text);

// Removes from a field name what a word processor may put inside it: RTF control
// words and groups, spaces, and every character other than A-Z, a-z, 0-9 and "_".
std::string cleanFieldName(std::string_view name);

// For a block field ("12", "D12", "12D") the block's tag, or an empty text for
// block 0; nothing when the name is not a block field.
std::optional<std::string> blockFieldTag(std::string_view name);

// Runs the pass over the whole (charset-rewritten) template. Throws RepoRTF_Error
// with the structure message when a delimiter has no closing partner.
std::string runTemplatePass(const std::string& text, const TemplatePassContext& context);

}  // namespace RepoRTF_interface::detail
