#include "platform/os/FileSystem.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "platform/os/WriteAll.h"
#include "platform/os/win32/Encoding.h"
#include "platform/os/win32/SystemCalls.h"
#include "platform/os/win32/SystemPath.h"
#include "platform/os/win32/WaitOutHold.h"
#include "platform/runtime/CFileException.h"

namespace kiv {
namespace {

HANDLE AsHandle(std::intptr_t handle) {
    return reinterpret_cast<HANDLE>(handle);
}

const std::intptr_t kNoFile = reinterpret_cast<std::intptr_t>(INVALID_HANDLE_VALUE);

CFileException::Cause CauseOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_DRIVE:
            return CFileException::fileNotFound;
        case ERROR_ACCESS_DENIED:
        case ERROR_WRITE_PROTECT:
        case ERROR_FILE_READ_ONLY:
            return CFileException::accessDenied;
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return CFileException::sharingViolation;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return CFileException::diskFull;
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_FILENAME_EXCED_RANGE:
            return CFileException::badPath;
        case ERROR_FILE_EXISTS:
        case ERROR_ALREADY_EXISTS:
            return CFileException::fileExists;
        default:
            return CFileException::genericException;
    }
}

DWORD DispositionFor(FileHandle::Mode mode) {
    switch (mode) {
        case FileHandle::Mode::CreateWrite:
            return CREATE_ALWAYS;
        case FileHandle::Mode::CreateNew:
            return CREATE_NEW;
        case FileHandle::Mode::Read:
        case FileHandle::Mode::Write:
            break;
    }
    return OPEN_EXISTING;
}

// Only a file on a disk is read: a pipe, a console or another device is refused, and so is a
// folder that a link led to.
bool IsReadable(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info{};
    return g_systemCalls.GetFileType(handle) == FILE_TYPE_DISK &&
           g_systemCalls.GetFileInformationByHandle(handle, &info) &&
           (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Empty when the system cannot tell.
std::wstring FullPathOf(const std::wstring& path) {
    const DWORD size = g_systemCalls.GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return {};
    std::wstring full(size, L'\0');
    const DWORD length = g_systemCalls.GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    full.resize(length < size ? length : 0);
    return full;
}

// A rename onto a read-only file, or onto a folder, is refused with the code that a target
// another program holds gives; that refusal lasts, so it is told at once, not waited out.
bool RefusesRenameOnto(const std::wstring& target) {
    const DWORD attributes = g_systemCalls.GetFileAttributesW(target.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES &&
           (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0;
}

}  // namespace

FileHandle::FileHandle(const CString& path, Mode mode) : m_strPath(path), m_handle(kNoFile) {
    const bool created = mode == Mode::CreateNew;
    // A new file may be renamed or removed through its handle.
    const DWORD access = mode == Mode::Read ? GENERIC_READ : GENERIC_WRITE | (created ? DELETE : 0);
    // Other readers may read along (an indexer that only reads is then no obstacle), but no
    // other process may write the file while it is read, nor open it at all while it is written.
    const DWORD share = mode == Mode::Read ? FILE_SHARE_READ : 0;
    // A new file is never made through a link: CREATE_NEW alone would follow a link to nothing
    // and create its target. The link itself is an existing name, so the open fails.
    const DWORD flags = FILE_ATTRIBUTE_NORMAL | (created ? FILE_FLAG_OPEN_REPARSE_POINT : 0);
    const std::wstring wide = Widen(path);
    HANDLE handle = INVALID_HANDLE_VALUE;
    const DWORD error = WaitOutHold(Hold::OnOpen, [&] {
        handle = g_systemCalls.CreateFileW(wide.c_str(), access, share, nullptr,
                                           DispositionFor(mode), flags, nullptr);
        return handle == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
    });
    if (error != ERROR_SUCCESS) throw CFileException(CauseOf(error), path);
    if (mode == Mode::Read && !IsReadable(handle)) {
        g_systemCalls.CloseHandle(handle);
        throw CFileException(CFileException::accessDenied, path);
    }
    m_handle = reinterpret_cast<std::intptr_t>(handle);
}

FileHandle::~FileHandle() {
    if (m_handle != kNoFile) g_systemCalls.CloseHandle(AsHandle(m_handle));
}

std::uint64_t FileHandle::Size() const {
    LARGE_INTEGER size{};
    if (!g_systemCalls.GetFileSizeEx(AsHandle(m_handle), &size)) {
        throw CFileException(CauseOf(GetLastError()), FullPath(m_strPath));
    }
    return static_cast<std::uint64_t>(size.QuadPart);
}

size_t FileHandle::Read(char* buffer, size_t size) {
    DWORD count = 0;
    const DWORD request = size > 0x40000000 ? 0x40000000 : static_cast<DWORD>(size);
    if (!g_systemCalls.ReadFile(AsHandle(m_handle), buffer, request, &count, nullptr)) {
        throw CFileException(CauseOf(GetLastError()), FullPath(m_strPath));
    }
    return count;
}

void FileHandle::Rewind() {
    if (!g_systemCalls.SetFilePointerEx(AsHandle(m_handle), LARGE_INTEGER{}, nullptr, FILE_BEGIN)) {
        throw CFileException(CauseOf(GetLastError()), FullPath(m_strPath));
    }
}

void FileHandle::Write(const char* data, size_t size) {
    const bool whole = WriteAll(data, size, [this](const char* part, size_t length) -> size_t {
        DWORD count = 0;
        const DWORD request = length > 0x40000000 ? 0x40000000 : static_cast<DWORD>(length);
        if (!g_systemCalls.WriteFile(AsHandle(m_handle), part, request, &count, nullptr)) {
            throw CFileException(CauseOf(GetLastError()), FullPath(m_strPath));
        }
        return count;
    });
    // The system said it wrote nothing, and no error: the file would never be complete.
    if (!whole) throw CFileException(CFileException::genericException, FullPath(m_strPath));
}

void FileHandle::Sync() {
    if (!g_systemCalls.FlushFileBuffers(AsHandle(m_handle))) {
        throw CFileException(CauseOf(GetLastError()), FullPath(m_strPath));
    }
}

void FileHandle::Close() {
    const HANDLE handle = AsHandle(m_handle);
    m_handle = kNoFile;
    if (handle != INVALID_HANDLE_VALUE && !g_systemCalls.CloseHandle(handle)) {
        throw CFileException(CauseOf(GetLastError()), FullPath(m_strPath));
    }
}

void FileHandle::RenameOver(const CString& target) {
    // A relative name would be taken against the current folder: the rename gets the full path,
    // in the system's own form.
    const std::wstring full = FullPathOf(Widen(target));
    if (full.empty()) throw CFileException(CauseOf(GetLastError()), target);
    const auto [prefix, rest] = SystemPathOf(full);
    const size_t nameBytes = (prefix.size() + rest.size()) * sizeof(wchar_t);
    std::vector<char> buffer(sizeof(FILE_RENAME_INFO) + nameBytes);
    auto* const info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
    info->ReplaceIfExists = TRUE;
    info->FileNameLength = static_cast<DWORD>(nameBytes);
    std::memcpy(info->FileName, prefix.data(), prefix.size() * sizeof(wchar_t));
    std::memcpy(info->FileName + prefix.size(), rest.data(), rest.size() * sizeof(wchar_t));
    const DWORD error = WaitOutHold(Hold::OnRename, [&]() -> DWORD {
        if (g_systemCalls.SetFileInformationByHandle(AsHandle(m_handle), FileRenameInfo, info,
                                                     static_cast<DWORD>(buffer.size()))) {
            return ERROR_SUCCESS;
        }
        const DWORD failure = GetLastError();
        return failure == ERROR_ACCESS_DENIED && RefusesRenameOnto(full) ? ERROR_FILE_READ_ONLY
                                                                         : failure;
    });
    if (error != ERROR_SUCCESS) throw CFileException(CauseOf(error), target);
    m_strPath = target;
}

void FileHandle::Delete() noexcept {
    if (m_handle == kNoFile) return;
    FILE_DISPOSITION_INFO disposition{TRUE};
    const bool removed = g_systemCalls.SetFileInformationByHandle(
        AsHandle(m_handle), FileDispositionInfo, &disposition, sizeof disposition);
    g_systemCalls.CloseHandle(AsHandle(m_handle));
    m_handle = kNoFile;
    // By name once the handle is closed, when the system would not remove it through the
    // handle: the name is still the one this file was created under.
    if (!removed) g_systemCalls.DeleteFileW(Widen(m_strPath).c_str());
}

CString FullPath(const CString& path) {
    const std::wstring wide = Widen(path);
    const std::wstring full = FullPathOf(wide);
    return full.empty() || full == wide ? path : Narrow(full);
}

bool PathExists(const CString& path) {
    return g_systemCalls.GetFileAttributesW(Widen(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

CString CommandLine() {
    return Narrow(GetCommandLineW());
}

}  // namespace kiv
