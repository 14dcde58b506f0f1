#include "web/WebPage.h"

#include <emscripten.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

#include "base/SaveKeeping.h"
#include "console/Transcript.h"
#include "web/WebConsole.h"

// The page's side (web/library.js): each runs on the page's own thread,
// the caller waiting until it returns, but for the show.
extern "C" {
void brinefall_show(const char* bytes, int length);
void brinefall_sync_saves(int* done);
void brinefall_claim(const char* name, int* done);
void brinefall_release();
void brinefall_held(const char* name, int* done);
void brinefall_ended();
}

namespace {
std::atomic<WebConsole*> page{nullptr};
std::atomic<int> pageColumns{kScreenWidth};
std::atomic<int> pageLines{kMinScreenHeight};
std::string typedSoFar;  // the page's thread alone touches it
std::atomic<bool> closed{false};

// The browser answers later, on the page's thread: it sets `done` to 1 for
// yes, 2 for no, and the game's thread waits for it.
int waitForAnswer(const std::atomic<int>& done) {
    while (done.load() == 0) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return done.load();
}

int syncSavesToBrowser() {
    std::atomic<int> done{0};
    brinefall_sync_saves(reinterpret_cast<int*>(&done));
    return waitForAnswer(done) == 1 ? 0 : EIO;
}

bool claimInBrowser(const std::string& playerName) {
    std::atomic<int> done{0};
    brinefall_claim(playerName.c_str(), reinterpret_cast<int*>(&done));
    return waitForAnswer(done) == 1;
}
bool heldInBrowser(const std::string& playerName) {
    std::atomic<int> done{0};
    brinefall_held(playerName.c_str(), reinterpret_cast<int*>(&done));
    return waitForAnswer(done) == 1;
}

// The transcript as a file the browser downloads: its UTF-8 bytes copied
// out of the shared memory (a Blob takes no shared view), a link to them clicked.
void offerTranscript(const std::string& fileName, const std::string& text) {
    MAIN_THREAD_EM_ASM({
        var name = String.fromCharCode.apply(null, HEAPU8.slice($0, $0 + $1));
        var link = document.createElement('a');
        link.href = URL.createObjectURL(new Blob([HEAPU8.slice($2, $2 + $3)], {type: 'text/plain;charset=utf-8'}));
        link.download = name;
        document.body.appendChild(link);
        link.click();
        link.remove();
        setTimeout(function () { URL.revokeObjectURL(link.href); }, 60000);
    }, fileName.data(), static_cast<int>(fileName.size()), text.data(), static_cast<int>(text.size()));
}
}  // namespace

// Called by the page on its own thread.
extern "C" {
EMSCRIPTEN_KEEPALIVE void brinefall_type(int byte) { typedSoFar += static_cast<char>(byte); }

EMSCRIPTEN_KEEPALIVE void brinefall_typed() {
    if (WebConsole* console = page.load()) console->typed(typedSoFar);
    typedSoFar.clear();
}

EMSCRIPTEN_KEEPALIVE void brinefall_size(int columns, int lines) {
    pageColumns = columns;
    pageLines = lines;
    if (WebConsole* console = page.load()) console->resize(columns, lines);
}
}

Console& openPage() {
    static WebConsole console(pageColumns.load(), pageLines.load(), [](const std::string& bytes) {
        // The page takes the bytes later, while the game goes on: a copy it frees.
        char* copy = static_cast<char*>(std::malloc(bytes.size() + 1));
        if (!copy) return;
        std::memcpy(copy, bytes.data(), bytes.size());
        brinefall_show(copy, static_cast<int>(bytes.size()));
    });
    page = &console;
    setSaveSync(syncSavesToBrowser);
    setGameClaim(claimInBrowser, brinefall_release);
    setGameHeld(heldInBrowser);
    setTranscriptHandOff(offerTranscript);
    return console;
}

void closePage() {
    if (closed.exchange(true)) return;
    if (WebConsole* console = page.load()) console->present();
    brinefall_ended();
}
