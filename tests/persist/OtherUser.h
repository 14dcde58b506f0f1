#pragma once
// Runs part of a test as an ordinary user, where file modes count (root
// ignores them, and CI runs as root): a forked child that becomes nobody
// (65534) and reports back through a pipe.
#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

constexpr uid_t kNobody = 65534;

// Whether this process can become another user (only root can).
inline bool canActAsAnotherUser() { return ::geteuid() == 0; }

// What work returned in the child ("" when all was as it should be), or
// what went wrong with the child itself.
inline std::string asAnotherUser(const std::function<std::string()>& work) {
    int report[2];
    if (::pipe(report) != 0) return "no pipe";
    pid_t child = ::fork();
    if (child < 0) return "no fork";
    if (child == 0) {
        ::close(report[0]);
        std::string result;
        if (::setgroups(0, nullptr) != 0 || ::setresgid(kNobody, kNobody, kNobody) != 0 ||
            ::setresuid(kNobody, kNobody, kNobody) != 0)
            result = "could not become user 65534";
        else
            result = work();
        std::size_t written = 0;
        while (written < result.size()) {
            ssize_t n = ::write(report[1], result.data() + written, result.size() - written);
            if (n <= 0) break;
            written += static_cast<std::size_t>(n);
        }
        ::_exit(0);
    }
    ::close(report[1]);
    std::string result;
    char buffer[512];
    for (ssize_t n; (n = ::read(report[0], buffer, sizeof buffer)) > 0;) result.append(buffer, static_cast<std::size_t>(n));
    ::close(report[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status)) return "the child ended abnormally: " + result;
    return result;
}

// Hands a directory to nobody, so that the child may make files in it.
inline void giveToNobody(const std::filesystem::path& dir) {
    if (::chown(dir.c_str(), kNobody, kNobody) != 0) return;
}
