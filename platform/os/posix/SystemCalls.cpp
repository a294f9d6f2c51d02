#include "platform/os/posix/SystemCalls.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace kiv {

// open and fcntl take their last argument through "...": the table holds fixed signatures.
SystemCalls g_systemCalls = {
    [](const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); },
    ::fstat,
    [](int fd, int command, int argument) { return ::fcntl(fd, command, argument); },
    ::read,
    ::lseek,
    ::write,
    ::fsync,
    ::close,
    std::rename,
    ::unlink,
    ::stat,
};

}  // namespace kiv
