// The graphics base: any bytes load or end in the core's own error; what
// loads saves back.

#include "FuzzSupport.h"
#include "base/Errors.h"
#include "filters/MarkBases.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vargis;
    const std::string path = fuzz::scratchFolder() + "/bd_graphics.txt";
    fuzz::writeInput(path, data, size);
    static filters::DrawFailMarks marks; // large: kept out of the stack
    try {
        filters::loadGraphicsBase(marks, path);
        filters::saveGraphicsBase(marks, path);
        filters::loadGraphicsBase(marks, path);
    } catch (const VargisError&) {
    }
    return 0;
}
