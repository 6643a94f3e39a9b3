#pragma once
// The fields of a stored line: each ends with ";", and text after the last
// ";" belongs to no field.

#include <string_view>

namespace vargis {

// Calls field(n, text) for the fields of a line in order, n from 1, until
// it returns false.
template <class Field> void forEachField(std::string_view line, Field&& field) {
    int n = 0;
    std::size_t start = 0;
    for (auto end = line.find(';'); end != std::string_view::npos; end = line.find(';', start)) {
        if (!field(++n, line.substr(start, end - start)))
            return;
        start = end + 1;
    }
}

} // namespace vargis
