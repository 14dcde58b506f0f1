#include "console/CommandHistory.h"

#include <utility>

CommandHistory::CommandHistory(std::function<bool()> isCommandLine) : isCommandLine_(std::move(isCommandLine)) {}

void CommandHistory::add(const std::string& line) {
    if (commandLine()) keep(line);
    startLine();
}

void CommandHistory::keep(const std::string& line) {
    std::string kept = line.substr(0, line.find_last_not_of(' ') + 1);
    bool worthKeeping = !kept.empty() && (lines_.empty() || lines_.back() != kept);
    if (worthKeeping) {
        if (lines_.size() == kCapacity) lines_.pop_front();
        lines_.push_back(std::move(kept));
    }
    startLine();
}

void CommandHistory::startLine() {
    position_ = lines_.size();
    typed_.clear();
}

std::optional<std::string> CommandHistory::older(const std::string& typed, std::size_t maxLength) {
    if (!commandLine()) return std::nullopt;
    // A line that does not fit is passed over: cut short it would be another command.
    for (std::size_t i = position_; i-- > 0;) {
        if (lines_[i].size() > maxLength) continue;
        if (position_ == lines_.size()) typed_ = typed;
        position_ = i;
        return lines_[i];
    }
    return std::nullopt;
}

std::optional<std::string> CommandHistory::newer(std::size_t maxLength) {
    if (!commandLine() || position_ == lines_.size()) return std::nullopt;
    for (std::size_t i = position_ + 1; i < lines_.size(); ++i) {
        if (lines_[i].size() > maxLength) continue;
        position_ = i;
        return lines_[i];
    }
    position_ = lines_.size();
    return std::exchange(typed_, std::string());
}
