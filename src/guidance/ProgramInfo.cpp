#include "guidance/ProgramInfo.h"

#include "base/ProductInfo.h"

#include <array>
#include <string_view>

namespace vargis::guidance {

namespace {

constexpr std::array<std::string_view, 3> kNoticeRu = {
    "Программа анализа тиражей лотереи \"5 из 36\".",
    "Бесплатно, как есть, без гарантий.",
    "Выигрыш не обещается: играйте в меру.",
};

constexpr std::array<std::string_view, 3> kNoticeEn = {
    "A program for analysing the draws of the \"5 of 36\" lottery.",
    "Free of charge, as is, without warranty.",
    "No win is promised: play in moderation.",
};

template <std::size_t N>
void appendLines(std::string& text, const std::array<std::string_view, N>& lines) {
    for (std::string_view line : lines) {
        text += "\r\n";
        text += line;
    }
}

} // namespace

std::string makerNotice() {
    std::string text(kNoticeRu.front());
    for (std::size_t i = 1; i < kNoticeRu.size(); ++i) {
        text += "\r\n";
        text += kNoticeRu[i];
    }
    return text;
}

std::string programInfoMessage() {
    std::string text = "Программа " VARGIS_NAME " - Лото " VARGIS_RELEASE;
    appendLines(text, kNoticeRu);
    text += "\r\n-----------\r\nProgram " VARGIS_NAME_LATIN " - Lotto " VARGIS_RELEASE;
    appendLines(text, kNoticeEn);
    return text;
}

} // namespace vargis::guidance
