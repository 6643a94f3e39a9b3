// An archive of draws as the back-test reads it: any bytes give draws in
// date order, each a real date and five distinct numbers 1..36, or end in
// the core's own error.

#include "FuzzSupport.h"
#include "base/Errors.h"
#include "history/DrawArchive.h"

#include <algorithm>
#include <tuple>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vargis;
    const std::string path = fuzz::scratchFolder() + "/bd_archive.txt";
    fuzz::writeInput(path, data, size);
    try {
        const auto draws = history::loadDrawArchive(path, 36);
        for (std::size_t i = 0; i < draws.size(); ++i) {
            const auto& d = draws[i];
            (void)parseDate(history::drawDateText(d.date));
            if (i > 0 && std::tie(d.date.year, d.date.month, d.date.day) <
                             std::tie(draws[i - 1].date.year, draws[i - 1].date.month,
                                      draws[i - 1].date.day))
                __builtin_trap();
            for (int n : d.numbers)
                if (n < 1 || n > 36 || std::count(d.numbers.begin(), d.numbers.end(), n) != 1)
                    __builtin_trap();
        }
    } catch (const VargisError&) {
    }
    return 0;
}
