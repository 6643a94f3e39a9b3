#pragma once
// The program's name, version and maker's notice as the About box and the
// name-and-version message show them, and the help documents' addresses.

#include "base/ProductInfo.h"

#include <string>

namespace vargis::guidance {

inline constexpr const char* kAboutCaption = "  " VARGIS_NAME " - лото " VARGIS_RELEASE;
inline constexpr const char* kProgramName = base::kProgramName;
inline constexpr const char* kProgramVersion = "ver. " VARGIS_RELEASE;

// The shell requests of "Помощь" and "Фильтры": the document and the anchor
// handed to it.
inline constexpr const char* kHelpDocument = "help/vargis_help.htm";
inline constexpr const char* kHelpAnchor = "#Блоки";
inline constexpr const char* kFiltersDocument = "help/filters.htm";
inline constexpr const char* kFiltersAnchor = "#фильтры";

// The maker's notice of the About box, its lines joined by CR LF.
std::string makerNotice();

// The message of Panel14: nine lines joined by CR LF, the name and version
// with the notice in Russian, a rule, and the same in English.
std::string programInfoMessage();

} // namespace vargis::guidance
