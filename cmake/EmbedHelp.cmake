# Writes a C++ source that holds the help documents of the bundled working
# folder byte for byte, so that the program's generator of the working folder
# writes the same documents as data/help holds.
#   cmake -DROOT=<data folder> -DOUTPUT=<source to write> -P EmbedHelp.cmake
file(GLOB documents RELATIVE "${ROOT}" "${ROOT}/help/*")
list(SORT documents)
set(arrays "")
set(entries "")
set(index 0)
foreach(document IN LISTS documents)
    file(READ "${ROOT}/${document}" hex HEX)
    string(LENGTH "${hex}" digits)
    math(EXPR size "${digits} / 2")
    # Sixteen bytes a line.
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
    string(REPEAT "'[^']+'," 16 line)
    string(REGEX REPLACE "(${line})" "\\1\n    " bytes "${bytes}")
    string(APPEND arrays "constexpr char kDocument${index}[] = {\n    ${bytes}};\n")
    string(APPEND entries "        {\"${document}\", std::string(kDocument${index}, ${size})},\n")
    math(EXPR index "${index} + 1")
endforeach()
set(source "// Generated from data/help by cmake/EmbedHelp.cmake; do not edit.
#include \"guidance/HelpDocuments.h\"

namespace vargis::guidance {

namespace {

${arrays}
} // namespace

std::vector<HelpDocument> helpDocuments() {
    return {
${entries}    };
}

} // namespace vargis::guidance
")
file(WRITE "${OUTPUT}.tmp" "${source}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
