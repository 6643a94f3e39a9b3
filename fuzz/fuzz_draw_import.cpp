// A file offered to the draw import: any bytes give draws the table can hold
// or end in the core's own error.

#include "FuzzSupport.h"
#include "base/Errors.h"
#include "history/DrawImport.h"

#include <algorithm>
#include <tuple>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vargis;
    const std::string path = fuzz::scratchFolder() + "/draws.txt";
    fuzz::writeInput(path, data, size);
    try {
        const auto file = history::readDrawFile(path, 36);
        const auto& draws = file.draws;
        // What the import accepts: draws oldest first, of which the table
        // keeps 1..50, each a real date and five distinct numbers 1..36.
        const auto kept = history::newestDraws(draws);
        if (kept.empty() || kept.size() > 50 || file.layout.empty() ||
            history::importQuestion(file).empty())
            __builtin_trap();
        for (std::size_t i = 0; i < draws.size(); ++i) {
            const auto& d = draws[i];
            (void)parseDate(history::drawDateText(d.date));
            if (i > 0 && std::tie(d.date.year, d.date.month, d.date.day) <
                             std::tie(draws[i - 1].date.year, draws[i - 1].date.month,
                                      draws[i - 1].date.day))
                __builtin_trap();
            for (std::size_t k = 0; k < 5; ++k) {
                if (d.numbers[k] < 1 || d.numbers[k] > 36)
                    __builtin_trap();
                if (std::count(d.numbers.begin(), d.numbers.end(), d.numbers[k]) != 1)
                    __builtin_trap();
            }
        }
    } catch (const VargisError&) {
    }
    return 0;
}
