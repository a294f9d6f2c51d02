#include "platform/os/FileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/os/WriteAll.h"
#include "platform/os/posix/SystemCalls.h"
#include "platform/runtime/CFileException.h"

namespace kiv {
namespace {

constexpr std::intptr_t kNoFile = -1;

CFileException::Cause CauseOf(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return CFileException::fileNotFound;
        case EACCES:
        case EPERM:
        case EISDIR:
        case EROFS:
        case ETXTBSY:
            return CFileException::accessDenied;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return CFileException::diskFull;
        case ENAMETOOLONG:
        case ELOOP:
            return CFileException::badPath;
        case EEXIST:
            return CFileException::fileExists;
        default:
            return CFileException::genericException;
    }
}

int FlagsFor(FileHandle::Mode mode) {
    switch (mode) {
        case FileHandle::Mode::Read:
            // A FIFO with no writer would hold open(2) forever, and a terminal could become
            // ours: neither may happen before the file is known to be a regular one.
            return O_RDONLY | O_NONBLOCK | O_NOCTTY;
        case FileHandle::Mode::CreateWrite:
            return O_WRONLY | O_CREAT | O_TRUNC;
        case FileHandle::Mode::CreateNew:
            // O_EXCL fails on any existing name, a link to nothing included; O_NOFOLLOW says so
            // once more for systems that would follow it.
            return O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW;
        case FileHandle::Mode::Write:
            break;
    }
    return O_WRONLY;
}

// Only a regular file is read: a folder, a device (/dev/zero never ends), a FIFO or a socket is
// refused. The check is on the open descriptor, so the name cannot be swapped after it. Reads
// wait again once it has passed. (For writing, open(2) itself refuses a folder.)
bool IsReadable(int fd) {
    struct stat info {};
    if (g_systemCalls.fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) return false;
    const int flags = g_systemCalls.fcntl(fd, F_GETFL, 0);
    return flags != -1 && g_systemCalls.fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0;
}

}  // namespace

FileHandle::FileHandle(const CString& path, Mode mode) : m_strPath(path), m_handle(kNoFile) {
    int fd;
    do {
        fd = g_systemCalls.open(path.GetString(), FlagsFor(mode) | O_CLOEXEC, 0666);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) throw CFileException(CauseOf(errno), path);
    if (mode == Mode::Read && !IsReadable(fd)) {
        g_systemCalls.close(fd);
        throw CFileException(CFileException::accessDenied, path);
    }
    m_handle = fd;
}

FileHandle::~FileHandle() {
    if (m_handle != kNoFile) g_systemCalls.close(static_cast<int>(m_handle));
}

std::uint64_t FileHandle::Size() const {
    struct stat info {};
    if (g_systemCalls.fstat(static_cast<int>(m_handle), &info) != 0) {
        throw CFileException(CauseOf(errno), FullPath(m_strPath));
    }
    return static_cast<std::uint64_t>(info.st_size);
}

size_t FileHandle::Read(char* buffer, size_t size) {
    for (;;) {
        const ssize_t count = g_systemCalls.read(static_cast<int>(m_handle), buffer, size);
        if (count >= 0) return static_cast<size_t>(count);
        if (errno != EINTR) throw CFileException(CauseOf(errno), FullPath(m_strPath));
    }
}

void FileHandle::Rewind() {
    if (g_systemCalls.lseek(static_cast<int>(m_handle), 0, SEEK_SET) != 0) {
        throw CFileException(CauseOf(errno), FullPath(m_strPath));
    }
}

void FileHandle::Write(const char* data, size_t size) {
    const bool whole = WriteAll(data, size, [this](const char* part, size_t length) -> size_t {
        for (;;) {
            const ssize_t count = g_systemCalls.write(static_cast<int>(m_handle), part, length);
            if (count >= 0) return static_cast<size_t>(count);
            if (errno != EINTR) throw CFileException(CauseOf(errno), FullPath(m_strPath));
        }
    });
    // The system said it wrote nothing, and no error: the file would never be complete.
    if (!whole) throw CFileException(CFileException::genericException, FullPath(m_strPath));
}

void FileHandle::Sync() {
    if (g_systemCalls.fsync(static_cast<int>(m_handle)) != 0) {
        throw CFileException(CauseOf(errno), FullPath(m_strPath));
    }
}

void FileHandle::Close() {
    const int fd = static_cast<int>(m_handle);
    m_handle = kNoFile;
    // After close(2) fails the descriptor is released all the same: never close it twice.
    if (fd != kNoFile && g_systemCalls.close(fd) != 0 && errno != EINTR) {
        throw CFileException(CauseOf(errno), FullPath(m_strPath));
    }
}

// POSIX renames and removes by name: no other program can hold the file.
void FileHandle::RenameOver(const CString& target) {
    if (g_systemCalls.rename(m_strPath.GetString(), target.GetString()) != 0) {
        throw CFileException(CauseOf(errno), target);
    }
    m_strPath = target;
}

void FileHandle::Delete() noexcept {
    if (m_handle == kNoFile) return;
    const bool removed = g_systemCalls.unlink(m_strPath.GetString()) == 0;
    g_systemCalls.close(static_cast<int>(m_handle));
    m_handle = kNoFile;
    // Once more after the close, for a disk that failed for a moment: the name is still the one
    // this file was created under.
    if (!removed) g_systemCalls.unlink(m_strPath.GetString());
}

CString FullPath(const CString& path) {
    std::error_code error;
    const std::filesystem::path full = std::filesystem::absolute(path.Str(), error);
    if (error) return path;
    return CString(std::string_view(full.lexically_normal().string()));
}

bool PathExists(const CString& path) {
    struct stat info {};
    return g_systemCalls.stat(path.GetString(), &info) == 0;
}

CString CommandLine() {
    // The first NUL-terminated entry is argv[0], the program as it was started.
    std::ifstream cmdline("/proc/self/cmdline", std::ios::binary);
    std::string first;
    std::getline(cmdline, first, '\0');
    // The host's paths are UTF-8.
    return CString(std::string_view(first), CodePage::Utf8);
}

}  // namespace kiv
