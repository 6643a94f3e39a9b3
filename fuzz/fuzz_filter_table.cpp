// The filter file: any bytes load or end in the core's own error; what
// loads can be searched and saved back.

#include "FuzzSupport.h"
#include "base/Errors.h"
#include "filters/FilterTable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace vargis;
    const std::string path = fuzz::scratchFolder() + "/bd_filters.txt";
    fuzz::writeInput(path, data, size);
    filters::FilterTable table;
    try {
        filters::loadFilterTable(table, path);
        (void)table.findRowByButton("BitBtn1");
        (void)table.findRowByCheckBox(table.row(1).checkBoxName());
        filters::saveFilterTable(table, path);
        filters::loadFilterTable(table, path);
    } catch (const VargisError&) {
    }
    return 0;
}
