#include "support/ScriptedPlatform.h"

#include <fstream>

namespace vargis::testing {

void ScriptedPlatform::showInformation(const std::string& text) {
    dialogs.push_back({Dialog::Kind::Information, text});
}

bool ScriptedPlatform::askYesNo(const std::string& text) {
    dialogs.push_back({Dialog::Kind::Question, text});
    if (answers.empty())
        return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
}

ui::Answer ScriptedPlatform::askYesNoCancel(const std::string& text) {
    dialogs.push_back({Dialog::Kind::Question, text});
    if (choices.empty())
        return ui::Answer::No;
    const ui::Answer answer = choices.front();
    choices.pop_front();
    return answer;
}

std::string ScriptedPlatform::chooseFileToOpen(const std::string& title, const std::string&) {
    fileDialogs.push_back(title);
    if (filesToOpen.empty())
        return {};
    std::string path = filesToOpen.front();
    filesToOpen.pop_front();
    return path;
}

std::string ScriptedPlatform::chooseFileToSave(const std::string& title, const std::string&) {
    fileDialogs.push_back(title);
    if (filesToSave.empty())
        return {};
    std::string path = filesToSave.front();
    filesToSave.pop_front();
    return path;
}

std::optional<std::string> ScriptedPlatform::askText(const std::string&, const std::string& prompt,
                                                     const std::string&) {
    textPrompts.push_back(prompt);
    if (textAnswers.empty())
        return std::nullopt;
    std::string text = textAnswers.front();
    textAnswers.pop_front();
    return text;
}

void ScriptedPlatform::showMessage(const std::string& text) {
    dialogs.push_back({Dialog::Kind::Message, text});
}

void ScriptedPlatform::showError(const std::string& text) {
    dialogs.push_back({Dialog::Kind::Error, text});
}

void ScriptedPlatform::saveChartBitmap(const ui::Chart&, const std::string& path) {
    bitmaps.push_back(path);
    std::ofstream(path, std::ios::binary) << "BM";
}

std::vector<std::string> ScriptedPlatform::texts(Dialog::Kind kind) const {
    std::vector<std::string> out;
    for (const auto& d : dialogs)
        if (d.kind == kind)
            out.push_back(d.text);
    return out;
}

void ScriptedPlatform::clear() {
    dialogs.clear();
    opened.clear();
    popups.clear();
    sounds.clear();
    bitmaps.clear();
}

} // namespace vargis::testing
