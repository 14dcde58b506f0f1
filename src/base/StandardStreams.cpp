#include "base/StandardStreams.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

void openClosedStandardStreams() {
    for (int fd = 0; fd <= 2; ++fd) {
        if (fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
        // open gives the lowest free number, which is this one: those below
        // it are open already.
        int opened = open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY);
        if (opened >= 0 && opened != fd) {
            dup2(opened, fd);
            close(opened);
        }
    }
}
