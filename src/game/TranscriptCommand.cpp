#include "game/TranscriptCommand.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <memory>

#include "base/Files.h"
#include "base/Paths.h"
#include "console/Output.h"
#include "console/Transcript.h"
#include "world/World.h"

namespace {

// The open file; closed when the last writer that holds it goes.
struct TranscriptFile {
    int fd = -1;
    std::string failure;  // why a write failed, once one did
    ~TranscriptFile() {
        if (fd >= 0) ::close(fd);
    }
    void write(std::string_view text) {
        if (failure.empty() && !writeAll(fd, text)) failure = std::strerror(errno);
    }
};

// What the transcript kept now is: its file (the terminal) or its text (the page).
std::shared_ptr<TranscriptFile> keptFile;
std::shared_ptr<std::string> keptText;
std::filesystem::path keptPath;
std::string keptName;

void startInFile() {
    const std::filesystem::path path = saveWritePath(gamePath(transcriptFileName()));
    std::string why;
    const int fd = openPrivateAppend(path, why);
    if (fd < 0) {
        printMarked("/RNo transcript: %s cannot be opened: %s./w\n", markupLiteral(path.string()), why);
        return;
    }
    keptFile = std::make_shared<TranscriptFile>();
    keptFile->fd = fd;
    keptPath = path;
    startTranscript([file = keptFile](std::string_view text) { file->write(text); });
    printMarked("A transcript of the game is being written to %s; type /Gtranscript/w again to stop it.\n",
                markupLiteral(path.string()));
}

void startInMemory() {
    keptText = std::make_shared<std::string>();
    keptName = transcriptFileName();
    startTranscript([text = keptText](std::string_view more) { *text += more; });
    printMarked("A transcript of the game is being kept; type /Gtranscript/w again to stop it and download it.\n");
}

void stop() {
    if (keptFile) {
        printMarked("The transcript is stopped; it is in %s.\n", markupLiteral(keptPath.string()));
        stopTranscript();
        if (!keptFile->failure.empty())
            printMarked("/RPart of the transcript could not be written: %s./w\n", keptFile->failure);
        keptFile.reset();
    } else if (keptText) {
        printMarked("The transcript is stopped and handed to your browser as %s.\n", markupLiteral(keptName));
        stopTranscript();
        if (TranscriptHandOff handOff = transcriptHandOff()) handOff(keptName, *keptText);
        keptText.reset();
    }
}

}  // namespace

std::string transcriptFileName() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char date[16] = "";
    std::strftime(date, sizeof date, "%Y-%m-%d", &local);
    return std::string(game.player.name.c_str()) + "-" + date + ".txt";
}

bool transcriptCommand(const char*) {
    if (transcriptKept()) stop();
    else if (transcriptHandOff()) startInMemory();
    else startInFile();
    return true;
}

void finishTranscript() {
    if (transcriptKept()) stop();
}
