#pragma once
// The help documents of the working folder (help/vargis_help.htm with the
// anchor "Блоки", help/filters.htm with the anchor "фильтры"), compiled in
// from data/help so that the generator of the working folder writes them too.

#include <string>
#include <vector>

namespace vargis::guidance {

struct HelpDocument {
    std::string path;  // relative to the working folder, with '/'
    std::string bytes; // the document as the file holds it
};

std::vector<HelpDocument> helpDocuments();

} // namespace vargis::guidance
