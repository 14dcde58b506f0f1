#include "BuildPaths.h"
#include "BuiltScripts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <map>
#include <optional>
#include <set>

#include "base/Codec.h"

namespace fs = std::filesystem;

const std::vector<std::string> kAllScripts = {
    "Angry", "Convict", "Crackpot", "Depressed", "Doctor", "Formal", "Jock", "Leet", "Leader",
    "Megalomaniac", "Nerd", "Paranoid", "Perky", "Silent", "Soldier", "Wise", "Dog", "Memory"};

std::string builtScript(const std::string& name) {
    fs::path file = fs::path(BRINEFALL_DATA_DIR) / (name + ".mox");
    std::optional<std::string> scrambled = readWholeFile(file);
    if (!scrambled) {
        ADD_FAILURE() << file << " was not built";
        return {};
    }
    std::optional<PlainTwin> plain = unscrambleBytes(*scrambled, scrambleKey("Data\\" + name + ".mox"));
    if (!plain) {
        ADD_FAILURE() << file << " is not a scrambled file";
        return {};
    }
    EXPECT_EQ(plain->extension, ".txt") << name;
    return plain->bytes;
}

namespace {

std::optional<ScriptNode> nodeAt(const std::string& text, int day, int label) {
    ConversationScript script;
    script.openText(text);
    if (!script.seekDay(day) || !script.seekLabel(label)) return std::nullopt;
    return script.readNode();
}

}  // namespace

std::vector<ReadNode> reachableNodes(const std::string& text) {
    constexpr int kShared = kEndWithoutLabel;
    std::vector<ReadNode> nodes;
    for (int day = 1; day <= 16; ++day) {  // the scripts' sixteen days
        std::vector<int> queue = {0};
        std::set<int> seen = {0};
        for (std::size_t i = 0; i < queue.size(); ++i) {
            std::optional<ScriptNode> node = nodeAt(text, day, queue[i]);
            if (!node) continue;
            auto reach = [&](int label) {
                if (label != kShared && seen.insert(label).second) queue.push_back(label);
            };
            for (const ScriptOption& option : node->options) reach(option.nextLabel < 0 ? -option.nextLabel : option.nextLabel);
            if (node->ends) reach(node->resumeLabel);
            nodes.push_back({day, queue[i], *node});
        }
    }
    if (std::optional<ScriptNode> shared = nodeAt(text, 16, kShared)) nodes.push_back({0, kShared, *shared});
    return nodes;
}

bool mentionsLabCode(const std::string& text) {
    static const std::map<std::string, char> kDigitWords = {
        {"zero", '0'}, {"oh", '0'},    {"nought", '0'}, {"one", '1'},   {"two", '2'},  {"three", '3'},
        {"four", '4'}, {"five", '5'},  {"six", '6'},    {"seven", '7'}, {"eight", '8'}, {"nine", '9'}};
    std::string digits;  // the digits of the current run of number words
    std::string word;
    bool found = false;
    auto endWord = [&] {
        if (word.empty()) return;
        bool numeral = std::all_of(word.begin(), word.end(), [](unsigned char c) { return std::isdigit(c); });
        auto spelled = kDigitWords.find(word);
        if (numeral) {
            digits += word;
        } else if (spelled != kDigitWords.end()) {
            digits += spelled->second;
        } else {
            found = found || digits.find("583") != std::string::npos;
            digits.clear();
        }
        word.clear();
    };
    for (char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c))) word += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        else endWord();
    }
    endWord();
    return found || digits.find("583") != std::string::npos;
}
