#pragma once
// Reading conversation scripts.
//
// A script is a plain text file read line by line with readLine. The lines
// that matter (keywords are upper case and found anywhere in the line):
//
//   DAY 3                      day header: a line longer than three characters
//                              holding "DAY"; the day number starts at the
//                              fourth character ("DAY3" and "DAY 3" both work)
//   LABEL 4                    label line: the number starts at the sixth
//                              character; the next line is the node's
//   Hello <PLAYERNAME>. {SIGH} islander line (from the first "{" on: an action)
//   SKIP 5 [ha 2 ho -1] A)  Fine, thanks. {LAUGH}
//                              option line: next label from the fifth character,
//                              mood changes in brackets, then four lettering
//                              characters and the option's text
//   END4                       end line: the conversation closes; a digit right
//                              after "END" (fourth character) gives the label
//                              the next conversation starts at, else 999
//
// Any other line (blank, the next LABEL) ends the option list of a node.
// Personality values may stand before the first day header; they are
// ignored here. Every read stops at the end of the file, and malformed
// lines never read outside the line.
//
// Typical walk over a script:
//   ConversationScript script;
//   if (!script.open(path)) ...;
//   if (script.seekDay(2) && script.seekLabel(0)) {
//       ScriptNode node = script.readNode();
//       for (const ScriptOption& o : node.options) ... o.nextLabel ...
//   }
#include <filesystem>
#include <istream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

constexpr int kEndWithoutLabel = 999;  // where "END" alone (or "END 5") resumes

struct MoodChange {
    std::string key;  // "ha", "ho" or "to"; other keys change nothing
    int amount = 0;
};

struct ScriptOption {
    std::string line;        // the whole option line, action included
    bool hasNextLabel = false;
    int nextLabel = 0;       // negative: closes the conversation, resumes at its magnitude
    std::vector<MoodChange> changes;  // in the order written
    std::string shownText;   // offered to the player: after the first "]", up to "{"
    std::string spokenText;  // said by the player: shownText without its four lettering characters
};

struct ScriptNode {
    std::string islanderLine;  // the whole line, action included
    std::string spokenText;    // the part before the first "{"
    std::vector<ScriptOption> options;
    bool ends = false;         // an END line follows the options
    int resumeLabel = 0;       // with ends: the label the next conversation starts at
    std::string endLine;
};

class ConversationScript {
public:
    // Opens a plain script file; false when it cannot be read.
    bool open(const std::filesystem::path& plainFile);
    // Reads a script held in memory (tests, fuzzing, content checks).
    void openText(std::string text);
    bool isOpen() const { return in_ != nullptr; }
    void close();

    // Back to the first line.
    void rewind();
    // The next line without its line end; nullopt at the end of the file.
    std::optional<std::string> nextLine();

    // From the top: reads up to and including the header of that day.
    // False (at the end of the file) when the day has no header.
    bool seekDay(int day);
    // From where the reader stands, across later day headers: reads up to
    // and including "LABEL <label>". False at the end of the file.
    bool seekLabel(int label);
    // Reads the node that starts at the current line: the islander line,
    // its options, and the END line when one follows them.
    ScriptNode readNode();

private:
    std::unique_ptr<std::istream> in_;
};

// Line tests and parts, usable on their own.
bool containsKeyword(std::string_view line, std::string_view keyword);
// A day header; day is set when its number can be read, else left as it was.
bool readDayHeader(std::string_view line, int& day);
// A label line with a readable number.
bool readLabelLine(std::string_view line, int& label);
bool isOptionLine(std::string_view line);
bool isEndLine(std::string_view line);
// The label the islander's next conversation starts at after this END line.
int endResumeLabel(std::string_view line);
ScriptOption parseOption(std::string_view line);
// The text of a line before its first "{".
std::string_view spokenPart(std::string_view line);
// A decimal integer as "%d" reads it: leading blanks, a sign, digits.
// Very long numbers are clamped; nullopt when there is no digit.
std::optional<int> readInteger(std::string_view text, std::size_t& pos);

// What is wrong with a script, "" when nothing: its days are 1 to 16 in
// order, each has a label 0 to start at, the shared label 999 follows the
// last day, and every node has options or an end, each leading to a label
// of its own day (or 999).
std::string scriptProblem(std::string text);
