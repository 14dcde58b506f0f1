#include "console/WakePipe.h"

#include <fcntl.h>
#include <unistd.h>

WakePipe::WakePipe() {
    // Both ends non-blocking: a full pipe already wakes, and draining stops
    // when it is empty. pipe and fcntl, which every Unix has (pipe2 is not
    // everywhere).
    if (pipe(fds_) != 0) {
        fds_[0] = fds_[1] = -1;
        return;
    }
    for (int fd : fds_) {
        fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) | O_NONBLOCK);
        fcntl(fd, F_SETFD, FD_CLOEXEC);
    }
}

WakePipe::~WakePipe() {
    for (int fd : fds_)
        if (fd >= 0) close(fd);
}

void WakePipe::wake() const {
    if (fds_[1] < 0) return;
    const char byte = 1;
    [[maybe_unused]] ssize_t written = write(fds_[1], &byte, 1);
}

void WakePipe::drain() const {
    char bytes[64];
    while (fds_[0] >= 0 && read(fds_[0], bytes, sizeof bytes) > 0) {
    }
}
