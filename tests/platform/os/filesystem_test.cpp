#include "platform/os/FileSystem.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/runtime/CFileException.h"
#include "tests/support/TempDir.h"

#ifdef _WIN32
#include <algorithm>
#include <chrono>
#include <optional>
#include <vector>

#include "platform/os/win32/Encoding.h"
#include "platform/os/win32/SystemPath.h"
#include "platform/os/win32/WaitOutHold.h"
#include "tests/support/FailingSystemCalls.h"
#include "tests/support/FileHolder.h"
#endif

namespace {

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

#ifdef _WIN32
double SecondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
#endif

}  // namespace

TEST(FileSystemTest, ANewFileRenamedOverAnotherReplacesItOrIsDeleted) {
    TempDir dir;
    std::ofstream(dir.Path() / "kiv.txt", std::ios::binary) << "old contents";
    {
        kiv::FileHandle file(dir.File("new.txt"), kiv::FileHandle::Mode::CreateNew);
        file.Write("new", 3);
        file.RenameOver(dir.File("kiv.txt"));
        file.Write("!", 1);  // still the same open file, under its new name
    }
    EXPECT_EQ(ReadBytes(dir.Path() / "kiv.txt"), "new!");
    EXPECT_FALSE(kiv::PathExists(dir.File("new.txt")));
#ifdef _WIN32
    {
        // A target in the \\?\ form is renamed onto as well.
        std::ofstream(dir.Path() / "other.txt", std::ios::binary) << "old";
        kiv::FileHandle file(dir.File("new.txt"), kiv::FileHandle::Mode::CreateNew);
        file.Write("x", 1);
        file.RenameOver("\\\\?\\" + dir.File("other.txt"));
    }
    EXPECT_EQ(ReadBytes(dir.Path() / "other.txt"), "x");
    EXPECT_FALSE(kiv::PathExists(dir.File("new.txt")));
#endif

    kiv::FileHandle file(dir.File("new.txt"), kiv::FileHandle::Mode::CreateNew);
    try {
        file.RenameOver(dir.File("no folder/kiv.txt"));
        FAIL() << "renamed into a missing folder";
    } catch (const CFileException& error) {
        EXPECT_EQ(error.m_cause, CFileException::fileNotFound);
        EXPECT_EQ(error.m_strFileName, dir.File("no folder/kiv.txt"));
    }
    EXPECT_TRUE(kiv::PathExists(dir.File("new.txt")));
    file.Delete();
    file.Delete();  // closed already: nothing more
    EXPECT_FALSE(kiv::PathExists(dir.File("new.txt")));
    EXPECT_EQ(ReadBytes(dir.Path() / "kiv.txt"), "new!");
}

TEST(FileSystemTest, HandleWritesSyncsAndReads) {
    TempDir dir;
    {
        kiv::FileHandle file(dir.File("data.bin"), kiv::FileHandle::Mode::CreateWrite);
        file.Write("a\nb\0c", 5);
        file.Sync();
        file.Close();
    }
    {
        kiv::FileHandle file(dir.File("data.bin"), kiv::FileHandle::Mode::Write);
        file.Write("X", 1);  // kept: overwrites the first byte only
    }
    kiv::FileHandle file(dir.File("data.bin"), kiv::FileHandle::Mode::Read);
    char buffer[16] = {};
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 5u);
    EXPECT_EQ(std::string(buffer, 5), std::string("X\nb\0c", 5));
    EXPECT_EQ(file.Read(buffer, sizeof buffer), 0u);
}

TEST(FileSystemTest, FullPathResolvesAgainstTheCurrentFolder) {
    const std::filesystem::path current = std::filesystem::current_path();
    EXPECT_EQ(kiv::FullPath("kiv.txt"), CString(std::string_view((current / "kiv.txt").string())));
    TempDir dir;
    EXPECT_EQ(kiv::FullPath(dir.File("kiv.txt")), dir.File("kiv.txt"));
    EXPECT_EQ(kiv::FullPath(dir.File("sub/../kiv.txt")), dir.File("kiv.txt"));
}

TEST(FileSystemTest, CommandLineStartsWithTheProgram) {
    const CString commandLine = kiv::CommandLine();
    EXPECT_NE(commandLine.Find("os_test"), -1) << commandLine.GetString();
#ifndef _WIN32
    EXPECT_TRUE(kiv::PathExists(commandLine));
#endif
}

#ifdef _WIN32
TEST(EncodingTest, ConvertsWithCodePage932) {
    // 表示 and ソ: trail bytes 0x5C; ｱ is a single-byte katakana.
    const CString sjis("\x95\x5C\x8E\xA6\x83\x5C\xB1");
    EXPECT_EQ(kiv::Widen(sjis), L"\u8868\u793A\u30BD\uFF71");
    EXPECT_EQ(kiv::Narrow(L"\u8868\u793A\u30BD\uFF71"), sjis);
    EXPECT_EQ(kiv::Widen(""), L"");
    EXPECT_EQ(kiv::Narrow(L""), CString());
}
#endif

#ifdef _WIN32
// The system's answers while another program holds a file, as Windows documents them, including
// those no test can make Wine give at the right moment: a byte-range lock, a hold that begins
// between two of the program's calls.
TEST(WaitOutHoldTest, TriesAgainWhileTheFailureIsAHoldAndThenGivesUp) {
    struct Case {
        kiv::Hold kind;
        std::vector<DWORD> answers;  // the last one repeats
        size_t tries;
    };
    const Case cases[] = {
        {kiv::Hold::OnOpen, {ERROR_SHARING_VIOLATION, ERROR_LOCK_VIOLATION, ERROR_SUCCESS}, 3},
        {kiv::Hold::OnOpen, {ERROR_FILE_NOT_FOUND}, 1},
        {kiv::Hold::OnOpen, {ERROR_ACCESS_DENIED}, 1},
        {kiv::Hold::OnRename, {ERROR_ACCESS_DENIED, ERROR_SHARING_VIOLATION, ERROR_SUCCESS}, 3},
        {kiv::Hold::OnRename, {ERROR_PATH_NOT_FOUND}, 1},
        // A hold that never ends: eleven tries, and its answer.
        {kiv::Hold::OnOpen, {ERROR_LOCK_VIOLATION}, 11},
        {kiv::Hold::OnRename, {ERROR_ACCESS_DENIED}, 11},
    };
    for (const Case& c : cases) {
        size_t tries = 0;
        const auto start = std::chrono::steady_clock::now();
        const DWORD result = kiv::WaitOutHold(
            c.kind, [&] { return c.answers[std::min(tries++, c.answers.size() - 1)]; });
        EXPECT_EQ(tries, c.tries) << c.answers.front();
        EXPECT_EQ(result, c.answers.back());
        if (c.tries == 11) {
            EXPECT_GE(SecondsSince(start), 1.3);
        }
    }
}

TEST(FileSystemTest, AnotherProgramsBriefHoldIsWaitedOutAndALongOneFailsAsBefore) {
    TempDir dir;
    const std::filesystem::path data = dir.Path() / "kiv.txt";
    std::ofstream(data, std::ios::binary) << "old";
    const auto failure = [](const auto& operation) -> std::optional<CFileException::Cause> {
        try {
            operation();
        } catch (const CFileException& error) {
            return error.m_cause;
        }
        return std::nullopt;
    };
    const auto read = [&] { kiv::FileHandle(dir.File("kiv.txt"), kiv::FileHandle::Mode::Read); };

    auto start = std::chrono::steady_clock::now();
    {
        const FileHolder spreadsheet(data, FileHolder::kSpreadsheet, 500);
        EXPECT_EQ(failure(read), std::nullopt);
        EXPECT_GE(SecondsSince(start), 0.45);
    }
    start = std::chrono::steady_clock::now();
    {
        const FileHolder spreadsheet(data, FileHolder::kSpreadsheet);
        EXPECT_EQ(failure(read), CFileException::sharingViolation);
        EXPECT_GE(SecondsSince(start), 1.3);
    }
    // A missing file is no hold: told at once.
    start = std::chrono::steady_clock::now();
    EXPECT_EQ(failure([&] { kiv::FileHandle(dir.File("gone.txt"), kiv::FileHandle::Mode::Read); }),
              CFileException::fileNotFound);
    EXPECT_LT(SecondsSince(start), 1.0);

    {
        // An indexer that reads along is no obstacle to reading, but a rename over the file it
        // holds fails for as long as it holds it; the new file can go then.
        const FileHolder indexer(data, FileHolder::kIndexer);
        EXPECT_EQ(failure(read), std::nullopt);
        kiv::FileHandle file(dir.File("new.txt"), kiv::FileHandle::Mode::CreateNew);
        EXPECT_EQ(failure([&] { file.RenameOver(dir.File("kiv.txt")); }),
                  CFileException::accessDenied);
        file.Delete();
    }
    // A read-only target and a folder refuse the rename for good: told at once. The refusal is
    // played (Wine replaces a read-only file) at the rename's try, after two calls for its path.
    SetFileAttributesW(data.c_str(), FILE_ATTRIBUTE_READONLY);
    std::filesystem::create_directory(dir.Path() / "folder");
    for (const char* target : {"kiv.txt", "folder"}) {
        kiv::FileHandle file(dir.File("new.txt"), kiv::FileHandle::Mode::CreateNew);
        const FailingSystemCalls calls(3, ERROR_ACCESS_DENIED, 1);
        EXPECT_EQ(failure([&] { file.RenameOver(dir.File(target)); }), CFileException::accessDenied)
            << target;
        EXPECT_EQ(calls.Slept(), 0u) << target;
        file.Delete();
    }
    SetFileAttributesW(data.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_FALSE(kiv::PathExists(dir.File("new.txt")));
    EXPECT_EQ(ReadBytes(data), "old");
}
#endif

#ifdef _WIN32
// A rename through a handle takes the system's own form of the target's full path, whatever form
// the program's folder came in.
TEST(FileSystemTest, TheRenamesTargetIsGivenInTheSystemsFormOfItsPath) {
    const struct {
        const wchar_t* full;
        const wchar_t* system;
    } rows[] = {
        {L"C:\\u\\kiv.txt", L"\\??\\C:\\u\\kiv.txt"},
        {L"\\\\?\\C:\\u\\kiv.txt", L"\\??\\C:\\u\\kiv.txt"},
        {L"\\\\.\\C:\\u\\kiv.txt", L"\\??\\C:\\u\\kiv.txt"},
        {L"\\\\server\\share\\kiv.txt", L"\\??\\UNC\\server\\share\\kiv.txt"},
        {L"\\\\?\\UNC\\server\\share\\kiv.txt", L"\\??\\UNC\\server\\share\\kiv.txt"},
    };
    for (const auto& row : rows) {
        const auto [prefix, rest] = kiv::SystemPathOf(row.full);
        EXPECT_EQ(std::wstring(prefix) + std::wstring(rest), row.system);
    }
}
#endif
