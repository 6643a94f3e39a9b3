#pragma once
// The one codec at the file boundary: inside the program texts are UTF-8,
// files and reports are Windows-1251.

#include <string>
#include <string_view>

namespace vargis {

// Windows-1251 bytes to UTF-8 (the unassigned byte 0x98 becomes U+FFFD).
std::string fromCp1251(std::string_view bytes);

// UTF-8 to Windows-1251; a character the code page lacks, or a malformed
// sequence, becomes '?'.
std::string toCp1251(std::string_view utf8);

} // namespace vargis
