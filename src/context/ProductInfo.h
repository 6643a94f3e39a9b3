#pragma once
// The program's identity shown in reports and menus.

namespace vargis::context {

// The product web address opened by "Сайт программы".
inline constexpr const char* kProductAddress = "https://vargis-loto.example.org/";

} // namespace vargis::context
