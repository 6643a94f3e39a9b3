#pragma once
// The program's identity as the windows, reports and the command line show
// it: its name and version, each written once, and its web address.
//
// The name and version are macros so that a text joins them with its own
// words at compile time ("..." VARGIS_RELEASE "..."). CMakeLists.txt reads
// VARGIS_VERSION for the project's version (the package's).

// The name in the Russian texts and in the English ones.
#define VARGIS_NAME "Варгис"
#define VARGIS_NAME_LATIN "Vargis"
// The version.
#define VARGIS_VERSION "1.1"
// The release as the texts show it: the kind, 5 of 36, and the version.
#define VARGIS_RELEASE "5r36." VARGIS_VERSION
// The same as the graphics report and the numbers panel's reports spell it.
#define VARGIS_RELEASE_PANEL "5v36." VARGIS_VERSION

namespace vargis::base {

// The name of the lottery program: "Варгис - лото".
inline constexpr const char* kProgramName = VARGIS_NAME " - лото";
// The title of the program and its windows: "Варгис - лото 5r36.1.1".
inline constexpr const char* kProgramTitle = VARGIS_NAME " - лото " VARGIS_RELEASE;
// The product line of the reports: "Варгис-лото 5r36.1.1".
inline constexpr const char* kReportProduct = VARGIS_NAME "-лото " VARGIS_RELEASE;

// The product web address opened by "Сайт программы".
inline constexpr const char* kProductAddress = "https://vargis-loto.example.org/";

} // namespace vargis::base
