#include "console/WakePipe.h"

#include <fcntl.h>
#include <unistd.h>

WakePipe::WakePipe() {
    // Both ends non-blocking: a full pipe already wakes, and draining stops when it is empty.
    if (pipe2(fds_, O_NONBLOCK | O_CLOEXEC) != 0) fds_[0] = fds_[1] = -1;
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
