#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#ifdef _WIN32
#include "platform/os/win32/SystemCalls.h"
#else
#include <fcntl.h>

#include <cerrno>

#include "platform/os/posix/SystemCalls.h"
#endif

// The file layer's system calls failing as a failing disk makes them: count calls in a row from
// the n-th (counting from 1) fail with the error chosen, as after a hiccup, or every call from it
// on (kForGood), as when a stick is pulled. While it lives, every call is counted by name, and the
// pause between tries of a held file takes no time: it is added up instead.
class FailingSystemCalls {
public:
    static constexpr std::size_t kForGood = SIZE_MAX;

    FailingSystemCalls(std::size_t failAt, int error, std::size_t count)
        : m_failAt(failAt), m_error(error), m_count(count) {
        s_active = this;
#ifdef _WIN32
        Wrap<&kiv::SystemCalls::CreateFileW, -1>("CreateFileW");
        Wrap<&kiv::SystemCalls::GetFileType, 0>("GetFileType");
        Wrap<&kiv::SystemCalls::GetFileInformationByHandle, 0>("GetFileInformationByHandle");
        Wrap<&kiv::SystemCalls::GetFileSizeEx, 0>("GetFileSizeEx");
        Wrap<&kiv::SystemCalls::ReadFile, 0>("ReadFile");
        Wrap<&kiv::SystemCalls::SetFilePointerEx, 0>("SetFilePointerEx");
        Wrap<&kiv::SystemCalls::WriteFile, 0>("WriteFile");
        Wrap<&kiv::SystemCalls::FlushFileBuffers, 0>("FlushFileBuffers");
        Wrap<&kiv::SystemCalls::SetFileInformationByHandle, 0>("SetFileInformationByHandle");
        Wrap<&kiv::SystemCalls::CloseHandle, 0, true>("CloseHandle");
        Wrap<&kiv::SystemCalls::DeleteFileW, 0>("DeleteFileW");
        Wrap<&kiv::SystemCalls::GetFileAttributesW, -1>("GetFileAttributesW");
        Wrap<&kiv::SystemCalls::GetFullPathNameW, 0>("GetFullPathNameW");
        static decltype(kiv::SystemCalls::CreateFileW) s_create;
        s_create = kiv::g_systemCalls.CreateFileW;
        kiv::g_systemCalls.CreateFileW = [](LPCWSTR path, DWORD access, DWORD share,
                                            LPSECURITY_ATTRIBUTES security, DWORD disposition,
                                            DWORD flags, HANDLE model) {
            s_active->m_created |= disposition == CREATE_NEW;
            return s_create(path, access, share, security, disposition, flags, model);
        };
        kiv::g_systemCalls.Sleep = [](DWORD milliseconds) { s_active->m_slept += milliseconds; };
#else
        Wrap<&kiv::SystemCalls::open, -1>("open");
        Wrap<&kiv::SystemCalls::fstat, -1>("fstat");
        Wrap<&kiv::SystemCalls::fcntl, -1>("fcntl");
        Wrap<&kiv::SystemCalls::read, -1>("read");
        Wrap<&kiv::SystemCalls::lseek, -1>("lseek");
        Wrap<&kiv::SystemCalls::write, -1>("write");
        Wrap<&kiv::SystemCalls::fsync, -1>("fsync");
        Wrap<&kiv::SystemCalls::close, -1, true>("close");
        Wrap<&kiv::SystemCalls::rename, -1>("rename");
        Wrap<&kiv::SystemCalls::unlink, -1>("unlink");
        Wrap<&kiv::SystemCalls::stat, -1>("stat");
        static decltype(kiv::SystemCalls::open) s_open;
        s_open = kiv::g_systemCalls.open;
        kiv::g_systemCalls.open = [](const char* path, int flags, mode_t mode) {
            s_active->m_created |= (flags & O_CREAT) != 0;
            return s_open(path, flags, mode);
        };
#endif
    }
    ~FailingSystemCalls() {
        kiv::g_systemCalls = m_saved;
        s_active = nullptr;
    }
    FailingSystemCalls(const FailingSystemCalls&) = delete;
    FailingSystemCalls& operator=(const FailingSystemCalls&) = delete;

    // The calls made, in order, by name.
    const std::vector<std::string>& Calls() const {
        return m_calls;
    }
    // Whether a call of that name failed.
    bool Failed(const std::string& name) const {
        return std::find(m_failed.begin(), m_failed.end(), name) != m_failed.end();
    }
    // Whether a new file was asked for: only a save does.
    bool Created() const {
        return m_created;
    }
    // Milliseconds the pauses between tries would have waited.
    unsigned long Slept() const {
        return m_slept;
    }

private:
    // A close that fails has released the handle all the same (POSIX says so; on Windows only a
    // handle that is no longer valid fails to close): the system's own call is made first.
    template <auto Entry, std::intptr_t kFailed, bool kReleases = false>
    void Wrap(const char* name) {
        Wrap<Entry, kFailed, kReleases>(name, Entry);
    }
    template <auto Entry, std::intptr_t kFailed, bool kReleases, class R, class... A>
    void Wrap(const char* name, R (*kiv::SystemCalls::*)(A...)) {
        static const char* s_name;
        static R (*s_real)(A...);
        s_name = name;
        s_real = m_saved.*Entry;
        kiv::g_systemCalls.*Entry = [](A... arguments) -> R {
            if constexpr (kReleases) {
                const R result = s_real(arguments...);
                if (!s_active->Fails(s_name)) return result;
            } else if (!s_active->Fails(s_name)) {
                return s_real(arguments...);
            }
            if constexpr (std::is_pointer_v<R>) {
                return reinterpret_cast<R>(kFailed);
            } else {
                return static_cast<R>(kFailed);
            }
        };
    }

    // Counts the call; true, with the error set as the system sets it, when it is to fail.
    bool Fails(const char* name) {
        m_calls.push_back(name);
        const std::size_t call = m_calls.size();
        if (m_failAt == 0 || call < m_failAt || call - m_failAt >= m_count) return false;
        m_failed.push_back(name);
#ifdef _WIN32
        SetLastError(static_cast<DWORD>(m_error));
#else
        errno = m_error;
#endif
        return true;
    }

    static inline FailingSystemCalls* s_active = nullptr;
    const kiv::SystemCalls m_saved = kiv::g_systemCalls;
    std::size_t m_failAt;
    int m_error;
    std::size_t m_count;
    std::vector<std::string> m_calls;
    std::vector<std::string> m_failed;
    bool m_created = false;
    unsigned long m_slept = 0;
};
