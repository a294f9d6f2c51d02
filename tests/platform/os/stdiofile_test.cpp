#include "platform/os/CStdioFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/runtime/CFileException.h"
#include "tests/support/TempDir.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<std::string> ReadLines(const CString& path) {
    CStdioFile file(path, CStdioFile::modeRead | CStdioFile::typeText);
    std::vector<std::string> lines;
    CString line;
    while (file.ReadString(line)) lines.push_back(line.Str());
    EXPECT_TRUE(line.IsEmpty());
    EXPECT_FALSE(file.ReadString(line));  // stays at the end
    return lines;
}

CFileException::Cause OpenFailure(const CString& path, unsigned flags) {
    try {
        CStdioFile file(path, flags);
    } catch (const CFileException& error) {
        EXPECT_EQ(error.m_strFileName, path);
        return error.m_cause;
    }
    ADD_FAILURE() << "opened " << path.GetString();
    return CFileException::genericException;
}

constexpr unsigned kWrite = CStdioFile::modeCreate | CStdioFile::modeWrite | CStdioFile::typeText;

using Lines = std::vector<std::string>;

}  // namespace

class StdioFileTest : public testing::Test {
protected:
    // Writes bytes to a file in the folder and reads it back line by line.
    Lines Read(const std::string& bytes) {
        WriteBytes(m_dir.Path() / "in.txt", bytes);
        return ReadLines(m_dir.File("in.txt"));
    }

    TempDir m_dir;
};

TEST_F(StdioFileTest, TextModeReading) {
    EXPECT_EQ(Read("a\r\nb\nc\rd\r\n\r\nlast"), (Lines{"a", "b", "c\rd", "", "last"}));
    EXPECT_EQ(Read("100\tA\r\n200\tB\r\n"), (Lines{"100\tA", "200\tB"}));
    EXPECT_EQ(Read(""), Lines{});
    EXPECT_EQ(Read("\r\n"), Lines{""});
    EXPECT_EQ(Read("\n\n"), (Lines{"", ""}));
    EXPECT_EQ(Read("ends in CR\r"), Lines{"ends in CR\r"});
    EXPECT_EQ(Read("\r\r\n"), Lines{"\r"});
    // Shift-JIS bytes pass unchanged, trail bytes 0x5C included.
    EXPECT_EQ(Read("\x95\x5C\t\x83\x5C\r\n"), Lines{"\x95\x5C\t\x83\x5C"});
}

TEST_F(StdioFileTest, ByteOneAEndsTheReadableData) {
    EXPECT_EQ(Read("x\r\ny\x1Az\r\nmore\r\n"), (Lines{"x", "y"}));
    EXPECT_EQ(Read("\x1A"
                   "abc\r\n"),
              Lines{});
    EXPECT_EQ(Read("x\r\n\x1A"), Lines{"x"});
    EXPECT_EQ(Read("x\r\x1A"), Lines{"x\r"});
}

TEST_F(StdioFileTest, LinesAcrossChunkBoundaries) {
    const size_t chunk = 64 * 1024;
    const std::string fill(chunk - 1, 'a');
    // The CR is the last byte of the first chunk, its LF the first of the next.
    EXPECT_EQ(Read(fill + "\r\nb"), (Lines{fill, "b"}));
    EXPECT_EQ(Read(fill + "\rx\r\n"), Lines{fill + "\rx"});
    EXPECT_EQ(Read(fill + "\r"), Lines{fill + "\r"});
    EXPECT_EQ(Read(fill + "\r\x1A"), Lines{fill + "\r"});
    const std::string longLine(5 * chunk + 123, 'q');
    EXPECT_EQ(Read(longLine + "\r\n" + longLine), (Lines{longLine, longLine}));
}

TEST_F(StdioFileTest, WritingTurnsEachLfIntoCrLfAndNothingElse) {
    const CString path = m_dir.File("out.txt");
    WriteBytes(m_dir.Path() / "out.txt", std::string(1000, 'o'));  // truncated by the open
    {
        CStdioFile file(path, kWrite);
        file.WriteString("13\tX\n");
        file.WriteString("a\r\nb\rc\x1A\n");
        file.WriteString("\x95\x5C\n");
        file.WriteString(CString(std::string(100000, 'w')));
        file.Close();
    }
    EXPECT_EQ(ReadBytes(m_dir.Path() / "out.txt"),
              "13\tX\r\na\r\r\nb\rc\x1A\r\n\x95\x5C\r\n" + std::string(100000, 'w'));
    {
        CStdioFile file(path, kWrite);  // closed by the destructor
        file.WriteString("one\n");
    }
    EXPECT_EQ(ReadLines(path), Lines{"one"});
    {
        // A new file renamed over it goes by its name from then on, in what is said about it.
        CStdioFile file(m_dir.File("out.new"),
                        CStdioFile::modeCreateNew | CStdioFile::modeWrite | CStdioFile::typeText);
        file.WriteString("two\n");
        file.RenameOver(path);
        EXPECT_EQ(file.GetFilePath().Str(), path.Str());
    }
    EXPECT_EQ(ReadLines(path), Lines{"two"});
}

TEST_F(StdioFileTest, OpenFailuresCarryThePathAsPassed) {
    constexpr unsigned kRead = CStdioFile::modeRead | CStdioFile::typeText;
    EXPECT_EQ(OpenFailure(m_dir.File("missing.txt"), kRead), CFileException::fileNotFound);
    EXPECT_EQ(OpenFailure(m_dir.File("no-folder/kiv.txt"), kRead), CFileException::fileNotFound);
    EXPECT_EQ(OpenFailure(m_dir.File("no-folder/kiv.txt"), kWrite), CFileException::fileNotFound);
    std::filesystem::create_directory(m_dir.Path() / "folder");
    EXPECT_EQ(OpenFailure(m_dir.File("folder"), kRead), CFileException::accessDenied);
    EXPECT_EQ(OpenFailure(m_dir.File("folder"), kWrite), CFileException::accessDenied);
    EXPECT_EQ(OpenFailure("kiv-no-such-file.txt", kRead), CFileException::fileNotFound);
}

TEST_F(StdioFileTest, ReadingStopsAtTheLimitsWithTooLarge) {
    const ReadLimits limits{.fileBytes = 20, .lineBytes = 4, .lines = 3};
    const CString path = m_dir.File("in.txt");
    // Read with the limits; the cause and path of the failure, or "" when all was read.
    const auto failure = [&](const std::string& bytes) -> std::string {
        WriteBytes(m_dir.Path() / "in.txt", bytes);
        try {
            CStdioFile file(path, CStdioFile::modeRead, limits);
            CString line;
            while (file.ReadString(line)) {
            }
        } catch (const CFileException& error) {
            EXPECT_EQ(error.m_cause, CFileException::tooLarge);
            return error.m_strFileName.Str();
        }
        return "";
    };
    // At the limits everything is read; one more of anything is refused.
    EXPECT_EQ(failure("abcd\r\nefgh\r\nijkl\r\n"), "");
    EXPECT_EQ(failure("abcd\r\nefgh\r\nijkl"), "");
    EXPECT_EQ(failure("abcde\r\n"), path.Str());
    EXPECT_EQ(failure("abcd\r\n\r\nijkl\r\n\r\n"), path.Str());
    EXPECT_EQ(failure("a\r\nb\r\nc\r\nd"), path.Str());
    // A file too large is refused at the open, with the path as passed, before any of it is read.
    EXPECT_EQ(failure("\x1A" + std::string(20, 'x')), path.Str());
    // Past 0x1A the bytes are never read: a file that ends early is within the limits.
    EXPECT_EQ(failure("ab\x1A" + std::string(17, 'x')), "");
}

#ifdef _WIN32
TEST_F(StdioFileTest, AFileBeingReadIsSharedWithReadersOnlyAndOneBeingWrittenWithNoOne) {
    const CString path = m_dir.File("locked.txt");
    WriteBytes(m_dir.Path() / "locked.txt", "x\r\n");
    {
        CStdioFile reader(path, CStdioFile::modeRead);
        EXPECT_EQ(ReadLines(path), Lines{"x"});
        EXPECT_EQ(OpenFailure(path, kWrite), CFileException::sharingViolation);
        // Another program's writer is refused too, though it shares everything itself.
        const HANDLE other = CreateFileW((m_dir.Path() / "locked.txt").c_str(), GENERIC_WRITE,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, 0, nullptr);
        const DWORD error = GetLastError();
        if (other != INVALID_HANDLE_VALUE) CloseHandle(other);
        EXPECT_EQ(other, INVALID_HANDLE_VALUE);
        EXPECT_EQ(error, static_cast<DWORD>(ERROR_SHARING_VIOLATION));
    }
    CStdioFile writer(path, kWrite);
    EXPECT_EQ(OpenFailure(path, CStdioFile::modeRead), CFileException::sharingViolation);
}

TEST_F(StdioFileTest, ShiftJisPathsReachTheFileSystem) {
    // 表.txt: 0x95 0x5C, the trail byte being a backslash.
    const CString path = m_dir.File("") + "\x95\x5C.txt";
    {
        CStdioFile file(path, kWrite);
        file.WriteString("ok\n");
    }
    EXPECT_TRUE(std::filesystem::exists(m_dir.Path() / L"\u8868.txt"));
    EXPECT_EQ(ReadLines(path), Lines{"ok"});
}
#else
TEST_F(StdioFileTest, AFileWithoutPermissionIsAccessDenied) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may open any file";
    WriteBytes(m_dir.Path() / "secret.txt", "x");
    std::filesystem::permissions(m_dir.Path() / "secret.txt", std::filesystem::perms::none);
    EXPECT_EQ(OpenFailure(m_dir.File("secret.txt"), CStdioFile::modeRead),
              CFileException::accessDenied);
}

TEST_F(StdioFileTest, AFileThatGrowsPastTheLimitWhileReadIsRefused) {
    const std::filesystem::path file = m_dir.Path() / "in.txt";
    WriteBytes(file, "a\r\n");
    CStdioFile reader(m_dir.File("in.txt"), CStdioFile::modeRead, ReadLimits{.fileBytes = 100});
    std::ofstream(file, std::ios::binary | std::ios::app) << std::string(200, 'x');
    CString line;
    try {
        while (reader.ReadString(line)) {
        }
        FAIL() << "read past the limit";
    } catch (const CFileException& error) {
        EXPECT_EQ(error.m_cause, CFileException::tooLarge);
    }
}

TEST_F(StdioFileTest, AReadFailureCarriesTheFullPath) {
    // Reading the process's own memory from offset 0 fails: nothing is mapped there.
    CStdioFile file("/proc/self/mem", CStdioFile::modeRead);
    CString line;
    try {
        file.ReadString(line);
        FAIL() << "read succeeded";
    } catch (const CFileException& error) {
        EXPECT_EQ(error.m_strFileName, CString("/proc/self/mem"));
    }
}
#endif
