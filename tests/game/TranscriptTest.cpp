// The transcript: the game's text and the player's lines in plain text, in
// a private file beside the saves, or handed to the page when it stops.
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "TestSupport.h"
#include "console/LineEditor.h"
#include "console/Transcript.h"
#include "game/Commands.h"
#include "game/TranscriptCommand.h"

namespace {
std::string fileText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The text with its line breaks as blanks: the wrap moves a long path to a line of its own.
std::string unwrapped(std::string text) {
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

class TranscriptTest : public GameTest {
protected:
    PrivateDataDir saves;
    mode_t umaskBefore = ::umask(0);  // the widest umask: the file's mode must not follow it

    void TearDown() override {
        finishTranscript();
        setTranscriptHandOff(nullptr);
        ::umask(umaskBefore);
        GameTest::TearDown();
    }
    // Typed on the input row and obeyed, as in play.
    void play(const std::string& line) {
        screen.typeText(line);
        dispatchCommand(readInputLine().c_str());
    }
    std::filesystem::path transcriptPath() const { return saves.path() / transcriptFileName(); }
};

TEST_F(TranscriptTest, KeepsTheTextAndTheLinesTypedInPlainTextInAPrivateFile) {
    play("help");
    play("transcript");
    ASSERT_TRUE(transcriptKept());
    play("help");
    printMarked("/RA red /Gand green/w line, 50%% and //slashes//.\n");
    play("transcript");
    EXPECT_FALSE(transcriptKept());
    EXPECT_NE(output().find("The transcript is stopped; it is in " + markupLiteral(transcriptPath().string())), std::string::npos);

    const std::string text = fileText(transcriptPath());
    EXPECT_TRUE(unwrapped(text).starts_with("A transcript of the game is being written to " + transcriptPath().string()))
        << text;
    EXPECT_NE(text.find("\n> help\nThe following are some of the useful game commands:\nhelp - this list;"), std::string::npos) << text;
    EXPECT_NE(text.find("\nA red and green line, 50% and /slashes/.\n> transcript\nThe transcript is stopped"), std::string::npos)
        << text;
    EXPECT_TRUE(text.ends_with(".txt.\n")) << text;
    EXPECT_EQ(text.find("> help\n", text.find("> help\n") + 1), std::string::npos) << "the line typed before it started is not in it";
    for (char c : text) EXPECT_TRUE(c == '\n' || (c >= ' ' && c < 127)) << "no colour codes or frame: " << int(c);

    struct stat info {};
    ASSERT_EQ(::stat(transcriptPath().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);

    // A second one that day goes on at the end of the same file, and puts its mode right.
    ASSERT_EQ(::chmod(transcriptPath().c_str(), 0644), 0);
    play("transcript");
    play("time");
    finishTranscript();
    const std::string both = fileText(transcriptPath());
    EXPECT_TRUE(both.starts_with(text)) << both;
    EXPECT_NE(both.find("> time\n", text.size()), std::string::npos) << both;
    ASSERT_EQ(::stat(transcriptPath().c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0600u);
}

TEST_F(TranscriptTest, RefusesALinkOrAFolderInItsPlaceAndSaysWhy) {
    const std::filesystem::path elsewhere = saves.path() / "elsewhere.txt";
    std::ofstream(elsewhere) << "untouched\n";
    std::filesystem::create_symlink(elsewhere, transcriptPath());
    output();
    play("transcript");
    EXPECT_FALSE(transcriptKept());
    EXPECT_EQ(output(), "/RNo transcript: " + markupLiteral(transcriptPath().string()) + " cannot be opened: it is a link./w\n");
    EXPECT_EQ(fileText(elsewhere), "untouched\n");

    std::filesystem::remove(transcriptPath());
    std::filesystem::create_directory(transcriptPath());
    play("transcript");
    EXPECT_FALSE(transcriptKept());
    EXPECT_NE(output().find("cannot be opened: "), std::string::npos);
}

std::string handedName;
std::string handedText;

TEST_F(TranscriptTest, ThePageGetsTheWholeTextWhenItStopsAndNoFileIsWritten) {
    handedName.clear();
    handedText.clear();
    setTranscriptHandOff([](const std::string& name, const std::string& text) {
        handedName = name;
        handedText = text;
    });
    play("transcript");
    play("time");
    EXPECT_EQ(handedText, "") << "nothing is handed over before it stops";
    play("transcript");
    EXPECT_EQ(handedName, transcriptFileName());
    EXPECT_TRUE(handedName.starts_with("Sam-") && handedName.ends_with(".txt")) << handedName;
    EXPECT_TRUE(handedText.starts_with("A transcript of the game is being kept;")) << handedText;
    EXPECT_NE(handedText.find("\n> time\n"), std::string::npos) << handedText;
    EXPECT_NE(unwrapped(handedText).find("> transcript The transcript is stopped and handed to your browser as " + handedName),
              std::string::npos) << handedText;
    EXPECT_FALSE(std::filesystem::exists(transcriptPath()));
}
}  // namespace
