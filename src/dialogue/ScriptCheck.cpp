#include <map>
#include <set>
#include <string>
#include <vector>

#include "dialogue/Script.h"

namespace {
constexpr int kFirstDay = 1;
constexpr int kLastDay = 16;

// Where a node leads: to a label of its day, or nowhere (-1).
struct Jump {
    int day;
    int from;
    int to;
};

// A script's day sections with the labels written in each and the jumps
// of each node, read in one pass.
struct DaySections {
    std::vector<int> days;  // in file order
    std::map<int, std::set<int>> labels;
    std::vector<Jump> jumps;
    std::set<std::pair<int, int>> openNodes;  // (day, label) of nodes with neither options nor an end
    bool shared = false;  // the shared label 999, after the last day
};

DaySections readSections(ConversationScript& script) {
    DaySections found;
    int day = 0;
    int label = -1;           // the node being read
    bool inNode = false;      // its islander line has been read
    bool nodeLeads = false;   // an option or an end seen
    auto closeNode = [&] {
        if (label >= 0 && !nodeLeads) found.openNodes.insert({day, label});
        label = -1;
        inNode = false;
    };
    while (std::optional<std::string> line = script.nextLine()) {
        int number = 0;
        if (readDayHeader(*line, day)) {
            closeNode();
            found.days.push_back(day);
        } else if (readLabelLine(*line, number)) {
            closeNode();
            label = number;
            nodeLeads = false;
            if (number == kEndWithoutLabel) found.shared = true;
            else found.labels[day].insert(number);
        } else if (label >= 0 && !inNode) {
            inNode = true;  // the islander's line
        } else if (label >= 0 && isEndLine(*line)) {
            found.jumps.push_back({day, label, endResumeLabel(*line)});
            nodeLeads = true;
            closeNode();
        } else if (label >= 0 && isOptionLine(*line)) {
            ScriptOption option = parseOption(*line);
            int to = !option.hasNextLabel ? -1 : option.nextLabel < 0 ? -option.nextLabel : option.nextLabel;
            found.jumps.push_back({day, label, to});
            nodeLeads = true;
        } else {
            closeNode();
        }
    }
    closeNode();
    return found;
}

std::string where(int day, int label) { return "day " + std::to_string(day) + ", label " + std::to_string(label); }
}  // namespace

std::string scriptProblem(std::string text) {
    ConversationScript script;
    script.openText(std::move(text));
    DaySections sections = readSections(script);
    std::vector<int> wanted;
    for (int day = kFirstDay; day <= kLastDay; ++day) wanted.push_back(day);
    if (sections.days != wanted) return "its days are not 1 to 16, each once and in order";
    if (!sections.shared) return "it has no label 999 after the last day";
    for (int day : wanted)
        if (!sections.labels[day].count(0)) return "day " + std::to_string(day) + " has no label 0 to start at";
    if (!sections.openNodes.empty()) {
        auto [day, label] = *sections.openNodes.begin();
        return where(day, label) + " has neither options nor an end";
    }
    for (const Jump& jump : sections.jumps) {
        if (jump.day == kLastDay && jump.from == kEndWithoutLabel) continue;  // the shared node
        if (jump.to != kEndWithoutLabel && !sections.labels[jump.day].count(jump.to))
            return where(jump.day, jump.from) + " leads to a label its day does not have";
    }
    return {};
}
