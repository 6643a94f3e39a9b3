#include "base/Scramble.h"

#include "base/Errors.h"

namespace vargis {

std::string scrambleLine(std::string_view line, std::string_view key, ScrambleDirection direction) {
    if (key.empty())
        throw RangeError("Пустой ключ шифрования");
    const std::size_t length = line.size() < 255 ? line.size() : 255;
    std::string out(line.substr(0, length));
    for (std::size_t i = 1; i <= length; ++i) {
        const auto shift = static_cast<unsigned char>(key[i % key.size()]);
        auto byte = static_cast<unsigned char>(out[i - 1]);
        byte = direction == ScrambleDirection::Encode ? static_cast<unsigned char>(byte + shift)
                                                      : static_cast<unsigned char>(byte - shift);
        out[i - 1] = static_cast<char>(byte);
    }
    return out;
}

bool breaksLine(std::string_view encoded) {
    return encoded.find('\r') != std::string_view::npos ||
           encoded.find('\n') != std::string_view::npos;
}

} // namespace vargis
