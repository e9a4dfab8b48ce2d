// Conversion of text from the OEM code page of the systems the data files come
// from (CP866) to the Windows code page (CP1251), byte by byte.
#pragma once

#include <string>

namespace RepoRTF_interface::detail {

// The CP1251 byte for a CP866 byte. Characters that CP1251 lacks (the box-drawing
// and block characters, "∙", "√", "■") become a look-alike: "-", "|" and "+" for
// lines and joints, "·" for the bullet, "?" for the rest.
unsigned char oemToAnsi(unsigned char oem);

void oemToAnsiInPlace(std::string& text);

}  // namespace RepoRTF_interface::detail
