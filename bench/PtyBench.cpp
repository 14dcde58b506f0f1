// Runs the real game in a pseudo-terminal (80x50) and measures what a
// player feels: start-up to the menu, keystroke to echo, the bytes one
// printed line costs once the scrollback is full, idle CPU at the prompt
// and peak memory. Prints one "name value unit" line per figure.
//
//   brinefall_pty <game binary> <Data dir> [idle seconds, default 60]
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {
int master = -1;
pid_t child = -1;
std::string seen;  // everything the game wrote since the last clearSeen()

double millisSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Reads what is there, waiting up to waitMs for the first byte; the byte count.
std::size_t readSome(int waitMs) {
    pollfd p{master, POLLIN, 0};
    if (poll(&p, 1, waitMs) <= 0) return 0;
    char buffer[65536];
    ssize_t n = read(master, buffer, sizeof buffer);
    if (n <= 0) return 0;
    seen.append(buffer, static_cast<std::size_t>(n));
    return static_cast<std::size_t>(n);
}

// Reads until nothing more came for quietMs; the bytes read.
std::size_t drain(int quietMs) {
    std::size_t total = 0;
    while (std::size_t n = readSome(quietMs)) total += n;
    return total;
}

bool waitFor(const std::string& text, int timeoutMs = 10000) {
    auto start = Clock::now();
    while (seen.find(text) == std::string::npos) {
        if (millisSince(start) > timeoutMs) return false;
        readSome(50);
    }
    return true;
}

void send(const std::string& keys) {
    if (write(master, keys.data(), keys.size()) != static_cast<ssize_t>(keys.size())) std::perror("write");
}

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

[[noreturn]] void die(const char* what) {
    std::fprintf(stderr, "brinefall_pty: %s\n", what);
    if (child > 0) kill(child, SIGKILL);
    std::exit(1);
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: brinefall_pty <game binary> <Data dir> [idle seconds]\n");
        return 2;
    }
    fs::path binary = fs::absolute(argv[1]);
    int idleSeconds = argc > 3 ? std::atoi(argv[3]) : 60;
    fs::path work = fs::temp_directory_path() / ("brinefall-pty-" + std::to_string(getpid()));
    fs::create_directories(work);
    fs::copy(argv[2], work / "Data", fs::copy_options::recursive);

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
        execl(binary.c_str(), binary.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }

    // Start-up: until the menu's last choice is on the screen.
    if (!waitFor("e. quit")) die("the menu never showed");
    double startup = millisSince(started);
    drain(200);
    send("a\r");
    if (!waitFor("Please enter your name:")) die("no name prompt");
    send("Bench\r");
    if (!waitFor("Hello Bench")) die("no greeting");
    drain(300);

    // Keystroke to echo: one letter typed, then taken back.
    std::vector<double> echo;
    for (int i = 0; i < 60; ++i) {
        seen.clear();
        auto t = Clock::now();
        send("x");
        if (!waitFor("x", 2000)) die("no echo");
        echo.push_back(millisSince(t));
        if (std::getenv("BRINEFALL_PTY_DUMP") && i == 5) std::fprintf(stderr, "echo bytes: %zu\n", seen.size());
        drain(20);
        send("\x7f");
        drain(30);
    }

    // Fill the scrollback well past its 300 lines.
    for (int i = 0; i < 40; ++i) {
        send("look\r");
        drain(60);
    }
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
        if (std::getenv("BRINEFALL_PTY_DUMP") && i == 14) std::fwrite(seen.data(), 1, seen.size(), stderr);
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
    std::printf("idle_cpu_percent %.4f\n", idleCpu);
    std::printf("peak_rss_kb %ld\n", usage.ru_maxrss);
    return 0;
}
