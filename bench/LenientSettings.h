#pragma once
// Row settings under which the first pass keeps nearly everything: every row
// enabled at 250, rows 1 and 2 (the sums) at 5 and 46.

#include "context/RowSettings.h"

namespace vargis::bench {

inline const context::RowSettings& lenientSettings() {
    static const context::RowSettings settings = [] {
        context::RowSettings s;
        for (int row = 1; row <= context::RowSettings::kRows; ++row) {
            s.setParameter(row, "250");
            s.setEnabled(row, true);
        }
        s.setParameter(1, "5");
        s.setParameter(2, "46");
        return s;
    }();
    return settings;
}

} // namespace vargis::bench
