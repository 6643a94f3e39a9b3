// The draw file: any bytes load or end in the core's own error.

#include "FuzzSupport.h"
#include "base/Errors.h"
#include "history/DrawFileCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vargis;
    const std::string path = fuzz::scratchFolder() + "/bd_statist.txt";
    fuzz::writeInput(path, data, size);
    history::DrawHistory history;
    try {
        history::loadDrawHistory(history, path);
        for (int i = 1; i <= history.drawCount; ++i)
            for (int k = 1; k <= 5; ++k)
                (void)history.drawnNumber(i, k);
    } catch (const VargisError&) {
    }
    return 0;
}
