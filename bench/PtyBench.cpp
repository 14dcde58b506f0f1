// Runs the real game in a pseudo-terminal (80x50) and measures what a
// player feels: start-up to the menu, keystroke to echo, the bytes the
// terminal receives for the text that comes in once the scrollback is
// full, whether the text area is redrawn whole, idle CPU at the prompt and
// peak memory. Prints one "name value" line per figure.
//
// The visible text of each command comes from a twin: the same game, on
// the same saved game, run through pipes in the plain front end, which
// prints exactly the text without the terminal's bytes. Both get every
// command at the same moment, so their clocks tick together.
//
//   brinefall_pty [--no-margins] <game binary> <Data dir> [idle seconds, default 60]
//
// The terminal answers the game's start-up questions as xterm does, or,
// with --no-margins, as VTE, Konsole and tmux do: left and right margins
// unknown, so the text area scrolls whole rows.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <numeric>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "TerminalRows.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {
// The text area of the 80x50 screen: rows 1 to 46, columns 1 to 77.
constexpr int kFirstTextRow = 1;
constexpr int kTextRows = 46;
// More rows written than this, beyond what the new text needs, is the
// whole area drawn again (some rows may happen to be the same before and after).
constexpr int kRedrawRows = kTextRows - 6;

int master = -1;
pid_t child = -1;
std::string seen;  // everything the game wrote to the terminal since the last clear
TerminalRows screenRows(50, 1, 77);

pid_t twin = -1;
int twinIn = -1;
int twinOut = -1;
std::string twinText;  // everything the twin printed since the last clear

[[noreturn]] void die(const std::string& what) {
    std::fprintf(stderr, "brinefall_pty: %s\n", what.c_str());
    if (child > 0) kill(child, SIGKILL);
    if (twin > 0) kill(twin, SIGKILL);
    std::exit(1);
}

double millisSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void writeAll(int fd, const std::string& bytes);

bool columnMargins = true;  // the terminal answers as xterm; false: as VTE

// The terminal's answers to the questions a program may ask: xterm knows
// left and right margins (mode 69, now reset), VTE does not know the mode;
// both give their device attributes.
void answerQuestions(std::string_view written) {
    if (written.find("\033[?69$p") != std::string_view::npos)
        writeAll(master, columnMargins ? "\033[?69;2$y" : "\033[?69;0$y");
    if (written.find("\033[c") != std::string_view::npos) writeAll(master, "\033[?64;1;2;6;9;15;18;21;22c");
}

bool readInto(int fd, std::string& into, bool isScreen) {
    char buffer[65536];
    ssize_t n = read(fd, buffer, sizeof buffer);
    if (n <= 0) return false;
    into.append(buffer, static_cast<std::size_t>(n));
    if (isScreen) {
        const std::string_view written(buffer, static_cast<std::size_t>(n));
        // BRINEFALL_PTY_DUMP=file keeps every byte the terminal received, to see where they go.
        static FILE* dump = std::getenv("BRINEFALL_PTY_DUMP") ? std::fopen(std::getenv("BRINEFALL_PTY_DUMP"), "wb") : nullptr;
        if (dump) std::fwrite(buffer, 1, static_cast<std::size_t>(n), dump), std::fflush(dump);
        screenRows.feed(written);
        answerQuestions(written);
    }
    return true;
}

// Reads what the terminal has, waiting up to waitMs for the first byte; the byte count.
std::size_t readSome(int waitMs) {
    pollfd p{master, POLLIN, 0};
    if (poll(&p, 1, waitMs) <= 0) return 0;
    std::size_t before = seen.size();
    readInto(master, seen, true);
    return seen.size() - before;
}

// Reads the terminal until nothing more came for quietMs; the bytes read.
std::size_t drain(int quietMs) {
    std::size_t total = 0;
    while (std::size_t n = readSome(quietMs)) total += n;
    return total;
}

// Reads both games until neither wrote anything for quietMs.
void settle(int quietMs, bool screenToo = true) {
    auto start = Clock::now();
    while (millisSince(start) < 20000) {
        pollfd p[2] = {{twinOut, POLLIN, 0}, {screenToo ? master : -1, POLLIN, 0}};
        if (poll(p, 2, quietMs) <= 0) return;
        if ((p[0].revents & (POLLIN | POLLHUP)) && !readInto(twinOut, twinText, false)) {
            close(twinOut);  // the twin has ended
            twinOut = -1;
        }
        if (p[1].revents & POLLIN) readInto(master, seen, true);
    }
}

bool waitFor(const std::string& text, int timeoutMs = 10000) {
    auto start = Clock::now();
    while (seen.find(text) == std::string::npos) {
        if (millisSince(start) > timeoutMs) return false;
        readSome(50);
    }
    return true;
}

void writeAll(int fd, const std::string& bytes) {
    if (write(fd, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) std::perror("write");
}

void send(const std::string& keys) { writeAll(master, keys); }

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// CPU seconds the process has used: the nanoseconds each of its threads
// spent running (schedstat), or, where the kernel keeps no such figures,
// the 10 ms clock ticks of stat.
double cpuSeconds(pid_t pid) {
    const std::string proc = "/proc/" + std::to_string(pid);
    std::error_code error;
    double total = 0;
    bool counted = false;
    for (const auto& task : fs::directory_iterator(proc + "/task", error)) {
        std::ifstream schedstat(task.path() / "schedstat");
        double runNanoseconds = 0;
        if (!(schedstat >> runNanoseconds)) continue;
        total += runNanoseconds / 1e9;
        counted = true;
    }
    if (counted) return total;
    std::ifstream stat(proc + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string field;
    long utime = 0, stime = 0;
    for (int i = 3; fields >> field; ++i) {
        if (i == 14) utime = std::stol(field);
        if (i == 15) {
            stime = std::stol(field);
            break;
        }
    }
    return static_cast<double>(utime + stime) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// The game in the plain front end, in its own directory, fed through pipes.
pid_t startPlain(const fs::path& binary, const fs::path& directory, int& in, int& out) {
    int toGame[2];
    int fromGame[2];
    if (pipe(toGame) != 0 || pipe(fromGame) != 0) die("pipe failed");
    pid_t pid = fork();
    if (pid < 0) die("fork failed");
    if (pid == 0) {
        dup2(toGame[0], STDIN_FILENO);
        dup2(fromGame[1], STDOUT_FILENO);
        for (int fd : {toGame[0], toGame[1], fromGame[0], fromGame[1]}) close(fd);
        if (chdir(directory.c_str()) != 0) _exit(127);
        setenv("LC_ALL", "C.UTF-8", 1);
        // Data and saves in the private Data (a build before options ignores them).
        execl(binary.c_str(), binary.c_str(), "--data-dir", "Data", "--save-dir", "Data", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(toGame[0]);
    close(fromGame[1]);
    in = toGame[1];
    out = fromGame[0];
    return pid;
}

// A new game saved under the bench's name, so that both runs load the same island.
void makeSavedGame(const fs::path& binary, const fs::path& directory) {
    int in = -1;
    int out = -1;
    pid_t pid = startPlain(binary, directory, in, out);
    writeAll(in, "a\nBench\nquit\n");
    close(in);
    std::string ignored;
    while (readInto(out, ignored, false)) {}
    close(out);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!fs::exists(directory / "Data" / "Bench.mox")) die("the saved game was not written");
}

std::size_t visibleCharacters(const std::string& text) {
    std::size_t n = 0;
    for (char c : text) {
        auto byte = static_cast<unsigned char>(c);
        if (c != '\n' && (byte < 0x80 || byte >= 0xc0)) ++n;  // one per UTF-8 character
    }
    return n;
}

// The twin's text of one command: its echo of the typed line left out.
std::string newText(const std::string& printed, const std::string& command) {
    std::string echo = "> " + command + "\n";
    std::string text = printed;
    if (std::size_t at = text.find(echo); at != std::string::npos) text.erase(at, echo.size());
    return text;
}

struct Turn {
    std::size_t bytes = 0;        // all the terminal received, typing included
    std::size_t typingBytes = 0;  // of which before Enter
    std::string text;  // what the command printed, as plain text
    int rowsWritten = 0;
};

// Types a command into both games as a player does, key by key on the
// terminal, and reads both until they are quiet.
Turn play(const std::string& command, int quietMs = 250) {
    settle(20);
    seen.clear();
    twinText.clear();
    screenRows.clearWritten();
    for (char c : command) {
        send(std::string(1, c));
        readSome(100);
        drain(2);
    }
    Turn turn;
    turn.typingBytes = seen.size();
    writeAll(twinIn, command + "\n");
    send("\r");
    settle(quietMs);
    turn.bytes = seen.size();
    turn.text = newText(twinText, command);
    for (int row : screenRows.written())
        if (row >= kFirstTextRow && row < kFirstTextRow + kTextRows) ++turn.rowsWritten;
    return turn;
}

// A question only the twin answers ("ri"): it changes nothing in the game.
std::string askTwin(const std::string& command, int quietMs = 150) {
    settle(20);
    twinText.clear();
    writeAll(twinIn, command + "\n");
    settle(quietMs, false);
    return newText(twinText, command);
}

struct Workload {
    std::string name;
    bool typedTextCounts = false;  // the typed line is the text measured (echo)
    int commands = 0;
    std::size_t bytes = 0;
    std::size_t typingBytes = 0;
    std::size_t characters = 0;
    int redraws = 0;
    int mostRows = 0;

    Turn add(const Turn& turn, const std::string& command) {
        ++commands;
        bytes += turn.bytes;
        typingBytes += turn.typingBytes;
        characters += visibleCharacters(turn.text) + (typedTextCounts ? command.size() : 0);
        int lines = static_cast<int>(std::count(turn.text.begin(), turn.text.end(), '\n'));
        // A command may write every row its new lines need, plus the row it
        // went on from and the one the next text starts in.
        if (turn.rowsWritten >= kRedrawRows && turn.rowsWritten > lines + 2) ++redraws;
        mostRows = std::max(mostRows, turn.rowsWritten);
        if (std::getenv("BRINEFALL_PTY_DUMP"))
            std::fprintf(stderr, "%s: %zu B, %zu chars, %d lines, %d rows written\n", name.c_str(), turn.bytes,
                         visibleCharacters(turn.text), lines, turn.rowsWritten);
        return turn;
    }
    Turn play(const std::string& command, int quietMs = 250) { return add(::play(command, quietMs), command); }

    void print() const {
        std::printf("%s_commands %d\n", name.c_str(), commands);
        std::printf("%s_bytes %zu\n", name.c_str(), bytes);
        std::printf("%s_typing_bytes %zu\n", name.c_str(), typingBytes);
        std::printf("%s_chars %zu\n", name.c_str(), characters);
        std::printf("%s_redraws %d\n", name.c_str(), redraws);
        std::printf("%s_most_rows %d\n", name.c_str(), mostRows);
    }
};

struct Place {
    int area = 0;
    int room = 0;
    bool operator<(const Place& o) const { return area != o.area ? area < o.area : room < o.room; }
    bool operator==(const Place& o) const { return area == o.area && room == o.room; }
    std::string tele() const { return "tele " + std::to_string(area) + " " + std::to_string(room); }
};

Place whereTwinIs() {
    std::string answer = askTwin("ri");
    Place p;
    if (std::sscanf(answer.c_str() + std::min(answer.size(), answer.find("Area:")), "Area: %d  Room: %d", &p.area, &p.room) != 2)
        die("no answer to ri: " + answer);
    return p;
}

// The exit words of the last "Valid exits are: north, east." in a text.
std::vector<std::string> exitsIn(const std::string& text) {
    std::vector<std::string> exits;
    std::size_t at = text.rfind("Valid exits are:");
    if (at == std::string::npos) return exits;
    std::string list = text.substr(at + 16, text.find('\n', at) - at - 16);
    std::string word;
    for (char c : list) {
        if (c >= 'a' && c <= 'z') word += c;
        else if (!word.empty()) exits.push_back(word), word.clear();
    }
    if (!word.empty()) exits.push_back(word);
    return exits;
}

// The islanders a look saw: "You see the following people here: Jose, Dog."
std::vector<std::string> peopleIn(const std::string& text) {
    std::vector<std::string> people;
    const std::string lead = "You see the following people here: ";
    std::size_t at = text.rfind(lead);
    if (at == std::string::npos) return people;
    std::string list = text.substr(at + lead.size(), text.find('\n', at) - at - lead.size());
    std::string name;
    for (char c : list) {
        if (c == ',' || c == '.') {
            if (!name.empty()) people.push_back(name);
            name.clear();
        } else if (c != ' ' || !name.empty()) {
            name += c;
        }
    }
    return people;
}

// Every room a teleport reaches, asked of the twin alone (the lab excepted:
// entering it starts the ending). The twin is put back where it was.
std::vector<Place> roomsOfTheIsland() {
    Place start = whereTwinIs();
    std::string script;
    for (int area = 0; area < 12; ++area)
        for (int room = 0; room < 25; ++room) script += Place{area, room}.tele() + "\n";
    twinText.clear();
    writeAll(twinIn, script);
    settle(400, false);
    std::vector<Place> rooms;
    for (int area = 0; area < 12; ++area)
        for (int room = 0; room < 25; ++room) {
            std::string echo = "> " + Place{area, room}.tele() + "\n";
            std::size_t at = twinText.find(echo);
            if (at == std::string::npos) die("the twin did not answer " + echo);
            std::size_t next = twinText.find("> tele ", at + echo.size());
            std::string answer = twinText.substr(at + echo.size(), next == std::string::npos ? std::string::npos : next - at - echo.size());
            if (answer.find("Valid exits are:") != std::string::npos) rooms.push_back({area, room});
        }
    askTwin(start.tele());
    if (!(whereTwinIs() == start)) die("the twin did not go back");
    return rooms;
}

struct Sighting {
    Place place;
    std::string name;
};

// Forty distinct rooms, walking out of each by one of its exits in turn and
// teleporting across the island between walks; "look" on every arrival.
Workload roomWalk(std::vector<Sighting>& sightings) {
    Workload walk{"walk"};
    std::vector<Place> rooms = roomsOfTheIsland();
    if (rooms.size() < 60) die("too few rooms on the island");
    std::set<Place> visited{whereTwinIs()};
    std::size_t nextTele = 0;
    std::size_t stride = 37;  // prime to the number of rooms, so the stride meets them all
    while (std::gcd(stride, rooms.size()) != 1) ++stride;
    std::string lastText = walk.play("look").text;
    int distinct = 0;
    for (int step = 0; distinct < 40 && step < 200; ++step) {
        std::vector<std::string> exits = exitsIn(lastText);
        if (step % 2 == 0 && !exits.empty()) {
            walk.play(exits[static_cast<std::size_t>(step / 2) % exits.size()]);
        } else {
            // Spread over the areas: a stride through the list of rooms.
            Place target;
            do target = rooms[(nextTele++ * stride) % rooms.size()];
            while (visited.count(target) != 0 && nextTele < rooms.size() * 2);
            walk.play(target.tele());
        }
        Place here = whereTwinIs();
        if (visited.insert(here).second) ++distinct;
        lastText = walk.play("look").text;
        for (const std::string& name : peopleIn(lastText)) sightings.push_back({here, name});
    }
    if (distinct < 40) die("the walk reached only " + std::to_string(distinct) + " rooms");
    return walk;
}

// Talking with the islanders last seen, answering the first choice, until
// one conversation went through three nodes or more.
Workload conversation(const std::vector<Sighting>& sightings) {
    Workload talk{"talk"};
    int tries = 0;
    for (auto it = sightings.rbegin(); it != sightings.rend() && tries < 4; ++it) {
        // Getting there is not part of it; one who has wandered off since is let go.
        std::vector<std::string> here = peopleIn(play(it->place.tele()).text);
        if (std::find(here.begin(), here.end(), it->name) == here.end()) continue;
        ++tries;
        std::string name = it->name;
        for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        Turn turn = talk.play("talk " + name);
        int nodes = 1;
        while (turn.text.find("Valid exits are:") == std::string::npos && nodes < 10) {
            turn = talk.play("a");
            ++nodes;
        }
        if (nodes >= 3) break;
    }
    return talk;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--no-margins") {
        columnMargins = false;
        --argc;
        ++argv;
    }
    if (argc < 3) {
        std::fprintf(stderr, "usage: brinefall_pty [--no-margins] <game binary> <Data dir> [idle seconds]\n");
        return 2;
    }
    signal(SIGPIPE, SIG_IGN);
    fs::path binary = fs::absolute(argv[1]);
    int idleSeconds = argc > 3 ? std::atoi(argv[3]) : 60;
    fs::path work = fs::temp_directory_path() / ("brinefall-pty-" + std::to_string(getpid()));
    fs::path twinWork = work / "twin";
    fs::create_directories(twinWork);
    fs::copy(argv[2], work / "Data", fs::copy_options::recursive);
    makeSavedGame(binary, work);
    fs::copy(work / "Data", twinWork / "Data", fs::copy_options::recursive);

    winsize size{};
    size.ws_row = 50;
    size.ws_col = 80;
    auto started = Clock::now();
    child = forkpty(&master, nullptr, nullptr, &size);
    if (child < 0) die("forkpty failed");
    if (child == 0) {
        if (chdir(work.c_str()) != 0) _exit(127);
        setenv("TERM", "xterm-256color", 1);
        setenv("LC_ALL", "C.UTF-8", 1);
        // Data and saves in the private Data (a build before options ignores them).
        execl(binary.c_str(), binary.c_str(), "--data-dir", "Data", "--save-dir", "Data", static_cast<char*>(nullptr));
        _exit(127);
    }

    // Start-up: until the menu's last choice is on the screen.
    if (!waitFor("e. quit")) die("the menu never showed");
    double startup = millisSince(started);
    drain(200);
    twin = startPlain(binary, twinWork, twinIn, twinOut);
    send("c\r");
    if (!waitFor("Please enter your name")) die("no name prompt");
    send("Bench\r");
    writeAll(twinIn, "c\nBench\n");
    settle(500);
    if (twinText.find("Valid exits are:") == std::string::npos) die("the twin did not load the game");

    // Keystroke to echo: one letter typed, then taken back.
    std::vector<double> echo;
    for (int i = 0; i < 60; ++i) {
        seen.clear();
        auto t = Clock::now();
        send("x");
        if (!waitFor("x", 2000)) die("no echo");
        echo.push_back(millisSince(t));
        drain(20);
        send("\x7f");
        drain(30);
    }

    // Fill the scrollback well past its 300 lines; the first command starts both clocks.
    for (int i = 0; i < 60; ++i) play("look", 60);

    std::vector<Sighting> sightings;
    Workload walk = roomWalk(sightings);
    Workload talk = conversation(sightings);

    // A dozen kinds of things carried, the map among them.
    for (int item : {0, 2, 6, 10, 10, 12, 15, 19, 23, 26, 31, 43, 46}) play("getitem " + std::to_string(item), 60);
    Workload inventory{"inv"};
    inventory.play("inv");
    Workload map{"map"};
    map.play("map");
    Workload help{"help"};
    for (int i = 0; i < 3; ++i) help.play("help");
    // The next tick begins day 2 with its morning text.
    Workload morning{"morning"};
    morning.play("dayskip 2", 1500);

    // A command of 40 characters typed and entered.
    Workload typing{"echo"};
    typing.typedTextCounts = true;
    typing.play("get the glinting shell from the wet sand");

    // One printed line: the answer to an unknown command, typed first so
    // only Enter and what it prints are counted.
    std::vector<double> lineBytes;
    for (int i = 0; i < 15; ++i) {
        send("xyzzy");
        drain(60);
        seen.clear();
        send("\r");
        if (!waitFor("Invalid command.", 3000)) die("no answer to an unknown command");
        drain(100);
        lineBytes.push_back(static_cast<double>(seen.size()));
    }

    // The same Enter on a command that prints nothing ("debug"): what the
    // input row itself costs, so that the line's own cost can be told apart.
    std::vector<double> enterBytes;
    for (int i = 0; i < 15; ++i) {
        send("debug");
        drain(60);
        seen.clear();
        send("\r");
        drain(150);
        enterBytes.push_back(static_cast<double>(seen.size()));
    }

    // The twin is done: it quits before the terminal's game idles alone.
    writeAll(twinIn, "quit\n");
    close(twinIn);
    settle(200, false);
    waitpid(twin, nullptr, 0);
    twin = -1;

    // Idle at the prompt with the clock running.
    double before = cpuSeconds(child);
    auto idleStart = Clock::now();
    while (millisSince(idleStart) < idleSeconds * 1000.0) drain(500);
    double idleCpu = (cpuSeconds(child) - before) / (millisSince(idleStart) / 1000.0) * 100.0;

    send("quit\r");
    rusage usage{};
    auto quitStart = Clock::now();
    int status = 0;
    while (wait4(child, &status, WNOHANG, &usage) == 0) {
        drain(50);
        if (millisSince(quitStart) > 10000) die("the game did not quit");
    }
    close(master);
    fs::remove_all(work);

    std::printf("startup_to_menu_ms %.1f\n", startup);
    std::printf("keystroke_echo_median_ms %.3f\n", median(echo));
    std::printf("enter_with_line_bytes_median %.0f\n", median(lineBytes));
    std::printf("enter_alone_bytes_median %.0f\n", median(enterBytes));
    std::printf("line_bytes_median %.0f\n", median(lineBytes) - median(enterBytes));
    std::printf("line_visible_chars %zu\n", std::string("Invalid command.  Try the \"help\" command for a list of valid commands.").size());
    for (const Workload* w : {&walk, &talk, &inventory, &map, &help, &morning, &typing}) w->print();
    std::printf("idle_cpu_percent %.4f\n", idleCpu);
    std::printf("peak_rss_kb %ld\n", usage.ru_maxrss);
    return 0;
}
