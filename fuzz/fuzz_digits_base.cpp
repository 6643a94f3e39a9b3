// The digits base: any bytes load or end in the core's own error; what
// loads saves back.

#include "FuzzSupport.h"
#include "base/Errors.h"
#include "filters/MarkBases.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vargis;
    const std::string path = fuzz::scratchFolder() + "/bd_digits.txt";
    fuzz::writeInput(path, data, size);
    filters::DigitsBase digits;
    try {
        filters::loadDigitsBase(digits, path);
        for (int n = 1; n <= filters::kNumbers; ++n)
            (void)digits.plays(n);
        filters::saveDigitsBase(digits, path);
    } catch (const VargisError&) {
    }
    return 0;
}
