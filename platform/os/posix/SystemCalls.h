#pragma once

#include <sys/stat.h>
#include <sys/types.h>

// Every system call the file layer makes, through one table. A test replaces entries to make
// the n-th call fail with the error it chooses, as a failing disk would; the program pays one
// indirect call per system call. Each entry behaves as the POSIX call of its name: -1 and errno
// on failure.
namespace kiv {

struct SystemCalls {
    int (*open)(const char* path, int flags, mode_t mode);
    int (*fstat)(int fd, struct stat* info);
    int (*fcntl)(int fd, int command, int argument);
    ssize_t (*read)(int fd, void* buffer, size_t size);
    off_t (*lseek)(int fd, off_t offset, int whence);
    ssize_t (*write)(int fd, const void* data, size_t size);
    int (*fsync)(int fd);
    int (*close)(int fd);
    int (*rename)(const char* from, const char* to);
    int (*unlink)(const char* path);
    int (*stat)(const char* path, struct stat* info);
};

// The table in force; it starts as the system's own calls.
extern SystemCalls g_systemCalls;

}  // namespace kiv
