// The transcript: the game's text and the player's lines in plain text, in
// a private file beside the saves, or handed to the page when it stops.
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "TestSupport.h"
#include "game/MainLoop.h"
#include "console/LineEditor.h"
#include "console/Transcript.h"
#include "game/Commands.h"
#include "game/TranscriptCommand.h"

namespace {
// The file's text with its line breaks as blanks (the wrap puts a long path on a line of its own).
std::string unwrapped(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}
std::string fileText(const std::filesystem::path& path) {
    std::ostringstream text;
    text << std::ifstream(path).rdbuf();
    return text.str();
}
mode_t modeOf(const std::filesystem::path& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}
std::string handedName, handedText;

class TranscriptTest : public GameTest {
protected:
    PrivateDataDir saves;
    mode_t umaskBefore = ::umask(0);  // the widest: the file's mode must not follow it
    std::filesystem::path path;

    void SetUp() override {
        GameTest::SetUp();
        path = saves.path() / transcriptFileName();
    }
    void TearDown() override {
        finishTranscript();
        setTranscriptHandOff(nullptr);
        ::umask(umaskBefore);
        GameTest::TearDown();
    }
    void play(const std::string& line) {  // typed on the input row and obeyed, as in play
        screen.typeText(line);
        dispatchTypedLine(readInputLine(), false);
    }
};

TEST_F(TranscriptTest, KeepsTheTextAndTheLinesTypedInPlainTextInAPrivateFile) {
    for (const char* line : {"help", "transcript", "help"}) play(line);
    printMarked("/RA red /Gand green/w line, 50%% and //slashes//.\n");
    play("transcript");
    const std::string text = fileText(path);
    EXPECT_TRUE(unwrapped(text).starts_with("A transcript of the game is being written to " + path.string())) << text;
    EXPECT_EQ(text.find("> help\n"), text.rfind("> help\n")) << "nothing from before it started";
    EXPECT_NE(text.find("\n> help\nThe following are some of the useful game commands:\nhelp - this list;"), std::string::npos);
    EXPECT_NE(text.find("\nA red and green line, 50% and /slashes/.\n> transcript\nThe transcript is stopped"), std::string::npos);
    EXPECT_TRUE(std::all_of(text.begin(), text.end(), [](char c) { return c == '\n' || (c >= ' ' && c < 127); }));
    EXPECT_EQ(modeOf(path), 0600u);
    // Another that day goes on at the end of the same file, and puts its mode right.
    ASSERT_EQ(::chmod(path.c_str(), 0644), 0);
    play("transcript");
    play("time");
    finishTranscript();
    const std::string both = fileText(path);
    EXPECT_TRUE(both.starts_with(text) && both.find("> time\n", text.size()) != std::string::npos) << both;
    EXPECT_EQ(modeOf(path), 0600u);
}

TEST_F(TranscriptTest, RefusesALinkInItsPlaceAndSaysWhy) {
    std::ofstream(saves.path() / "elsewhere.txt") << "untouched\n";
    std::filesystem::create_symlink(saves.path() / "elsewhere.txt", path);
    output();
    play("transcript");
    EXPECT_EQ(output(), "/w> transcript\n/RNo transcript: " + markupLiteral(path.string()) + " cannot be opened: it is a link./w\n");
    EXPECT_EQ(fileText(saves.path() / "elsewhere.txt"), "untouched\n");
    EXPECT_FALSE(transcriptKept());
}

TEST_F(TranscriptTest, ThePageGetsTheWholeTextWhenItStopsAndNoFileIsWritten) {
    setTranscriptHandOff([](const std::string& name, const std::string& text) { handedName = name, handedText = text; });
    for (const char* line : {"transcript", "time", "transcript"}) play(line);
    EXPECT_NE(unwrapped(handedText).find("> time "), std::string::npos) << handedText;
    EXPECT_EQ(handedName, transcriptFileName());
    EXPECT_TRUE(handedText.starts_with("A transcript of the game is being kept;")) << handedText;
    EXPECT_NE(unwrapped(handedText).find("> transcript The transcript is stopped and handed to your browser as " + handedName),
              std::string::npos) << handedText;
    EXPECT_FALSE(std::filesystem::exists(path));
}
}  // namespace
