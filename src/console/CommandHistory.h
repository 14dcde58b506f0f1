#pragma once
// The command lines typed in this run, for Up and Down to bring back, as a
// shell does: the last 50, never the same line twice in a row.
#include <cstddef>
#include <deque>
#include <functional>
#include <optional>
#include <string>

class CommandHistory {
public:
    static constexpr std::size_t kCapacity = 50;

    // `isCommandLine` says whether the line being typed is still a command
    // (a conversation may open while it is typed): a conversation's answer
    // neither recalls nor is kept. Without it every line is a command.
    explicit CommandHistory(std::function<bool()> isCommandLine = {});

    // A line was entered: kept (trailing blanks dropped) unless it is
    // empty, not a command, or the same as the newest.
    void add(const std::string& line);
    // A command line that was cut off before Enter (a conversation opened
    // while it was typed): kept all the same, for Up to bring back.
    void keep(const std::string& line);
    // A new line begins; Up starts again from the newest.
    void startLine();
    // Up: the next older line that fits in maxLength characters. `typed` is
    // what the row holds; the first Up keeps it for Down to bring back.
    // Nothing when there is no older line that fits.
    std::optional<std::string> older(const std::string& typed, std::size_t maxLength);
    // Down: the next newer line that fits, or past the newest the line that
    // was being typed. Nothing when no recall is under way.
    std::optional<std::string> newer(std::size_t maxLength);

    std::size_t size() const { return lines_.size(); }
    const std::string& line(std::size_t i) const { return lines_[i]; }  // 0 is the oldest

private:
    bool commandLine() const { return !isCommandLine_ || isCommandLine_(); }
    std::function<bool()> isCommandLine_;
    std::deque<std::string> lines_;
    std::size_t position_ = 0;  // the line shown; lines_.size() while none is
    std::string typed_;
};
