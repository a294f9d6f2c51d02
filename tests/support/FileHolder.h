#pragma once

#include <windows.h>

#include <filesystem>
#include <stdexcept>

// Another program's hold on a file, as the system sees it: an open handle with that program's
// sharing, from construction until ms milliseconds later (or the holder's end).
class FileHolder {
public:
    // A spreadsheet shares nothing; an indexer or a scanner reads and shares everything.
    static constexpr DWORD kSpreadsheet = 0;
    static constexpr DWORD kIndexer = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

    FileHolder(const std::filesystem::path& path, DWORD share, DWORD ms = INFINITE)
        : m_ms(ms),
          m_file(
              CreateFileW(path.c_str(), GENERIC_READ, share, nullptr, OPEN_EXISTING, 0, nullptr)),
          m_stop(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
        if (m_file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot hold the file");
        m_thread = CreateThread(nullptr, 0, &Release, this, 0, nullptr);
    }
    ~FileHolder() {
        SetEvent(m_stop);
        WaitForSingleObject(m_thread, INFINITE);
        CloseHandle(m_thread);
        CloseHandle(m_stop);
    }
    FileHolder(const FileHolder&) = delete;
    FileHolder& operator=(const FileHolder&) = delete;

private:
    static DWORD WINAPI Release(void* self) {
        auto* holder = static_cast<FileHolder*>(self);
        WaitForSingleObject(holder->m_stop, holder->m_ms);
        CloseHandle(holder->m_file);
        return 0;
    }

    DWORD m_ms;
    HANDLE m_file;
    HANDLE m_stop;
    HANDLE m_thread = nullptr;
};
