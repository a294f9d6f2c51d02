// What a hostile user can leave in the data file's folder: a link or a hard link where the save
// writes first, a FIFO or a device as the data file, a file larger than any table. In each the
// load must return with a usable table, the file planted must stay as it was, and so must the
// other file that a link points at.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/os/FileSystem.h"
#include "platform/runtime/CFileException.h"
#include "score/ArrScore.h"
#include "score/DataFileLimits.h"
#include "score/ListFile.h"
#include "tests/support/MessageLog.h"
#include "tests/support/Sjis.h"
#include "tests/support/TempDir.h"

#ifdef _WIN32
#include <windows.h>

#include <memory>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <future>
#endif

namespace fs = std::filesystem;

namespace {

constexpr const char* kOtherBytes = "someone else's file\r\n";

class PlantedFileTest : public testing::Test {
protected:
    void SetUp() override { m_dir.Write("other.txt", kOtherBytes); }
    void TearDown() override { EXPECT_EQ(m_dir.Read("other.txt"), kOtherBytes); }
    CString DataFile() const { return m_dataFile; }

    // Loads the data file on a thread of its own. A load still running after 20 s fails the
    // test; release must then make it return, so that the test can end. The Windows build's C++
    // runtime (win32 thread model) has no threads of its own: there the thread is the system's.
    ArrScore LoadReturning(const std::function<void()>& release = {}) {
#ifdef _WIN32
        struct Load {
            CString path;
            std::optional<ArrScore> scores;
        } load{DataFile(), {}};
        const auto run = [](void* job) -> DWORD {
            static_cast<Load*>(job)->scores.emplace(static_cast<Load*>(job)->path);
            return 0;
        };
        const std::unique_ptr<void, decltype(&CloseHandle)> thread(
            CreateThread(nullptr, 0, run, &load, 0, nullptr), CloseHandle);
        if (WaitForSingleObject(thread.get(), 20000) != WAIT_OBJECT_0) {
            ADD_FAILURE() << "the load did not return";
            if (release) release();
            WaitForSingleObject(thread.get(), INFINITE);
        }
        ArrScore scores = std::move(*load.scores);
#else
        auto load = std::async(std::launch::async, [this] { return ArrScore(DataFile()); });
        if (load.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
            ADD_FAILURE() << "the load did not return";
            if (release) release();
        }
        ArrScore scores = load.get();
#endif
        EXPECT_GE(scores.GetSize(), 41);
        return scores;
    }

    // The data file cannot be read: one message, the defaults alone, nothing saved, and the list
    // refuses it too.
    void ExpectRefused(const ArrScore& scores,
                       const std::vector<std::string>& entries = {"kiv.txt", "other.txt"}) const {
        ASSERT_EQ(m_messages.size(), 1u);
        EXPECT_EQ(m_messages[0],
                  "file:" + DataFile() + Sjis(u8" がありません、デフォルト値をロードします。"));
        EXPECT_EQ(scores.GetSize(), 41);
        EXPECT_EQ(m_dir.Entries(), entries);
        EXPECT_THROW(ListFile{DataFile()}, CFileException);
    }

    // Two rows, too few: the load saves the rows and the defaults.
    void WriteShortTable() const {
        m_dir.Write("kiv.txt", "1\ta\r\n2\tb\r\n");
    }
    void ExpectSaved(const ArrScore& scores) const {
        EXPECT_EQ(m_messages.size(), 1u);  // too few rows, nothing else
        EXPECT_EQ(scores.GetSize(), 2 + 41);
        EXPECT_FALSE(fs::is_symlink(m_dir.Path() / "kiv.txt"));
        EXPECT_EQ(m_dir.Read("kiv.txt").substr(0, 12), "1\ta\r\n2\tb\r\n20");
    }

    TempDir m_dir;
    CString m_dataFile = m_dir.File("kiv.txt");
    std::vector<CString> m_messages;
    MessageLog m_log{m_messages};
};

TEST_F(PlantedFileTest, ASaveNeverWritesThroughALinkAtItsTemporaryName) {
    WriteShortTable();
    const fs::path dir = m_dir.Path();
    std::error_code error;
    fs::create_symlink(dir / "other.txt", dir / "kiv.txt.tmp", error);
    if (error) GTEST_SKIP() << "no symbolic links here: " << error.message();
    // A link to nothing, which a create that follows links would bring into being.
    fs::create_symlink(dir / "made-through-link.txt", dir / "kiv.txt.tmp1");

    ExpectSaved(LoadReturning());
    EXPECT_EQ(fs::read_symlink(dir / "kiv.txt.tmp"), dir / "other.txt");
    EXPECT_EQ(fs::read_symlink(dir / "kiv.txt.tmp1"), dir / "made-through-link.txt");
    EXPECT_EQ(m_dir.Entries(),
              (std::vector<std::string>{"kiv.txt", "kiv.txt.tmp", "kiv.txt.tmp1", "other.txt"}));
}

TEST_F(PlantedFileTest, ASaveNeverWritesThroughAHardLinkAtItsTemporaryName) {
    WriteShortTable();
    fs::create_hard_link(m_dir.Path() / "other.txt", m_dir.Path() / "kiv.txt.tmp");
    ExpectSaved(LoadReturning());
    EXPECT_EQ(m_dir.Read("kiv.txt.tmp"), kOtherBytes);
    EXPECT_EQ(m_dir.Entries(), (std::vector<std::string>{"kiv.txt", "kiv.txt.tmp", "other.txt"}));
}

TEST_F(PlantedFileTest, AFileLeftByAnInterruptedSaveStopsNoLaterSave) {
    m_dir.Write("kiv.txt.tmp", "1\thalf a tab");
    const ArrScore scores = LoadReturning();  // no data file: the defaults are saved
    EXPECT_EQ(scores.GetSize(), 41);
    const std::string saved = m_dir.Read("kiv.txt");
    EXPECT_EQ(std::count(saved.begin(), saved.end(), '\n'), 41);
    EXPECT_EQ(m_dir.Read("kiv.txt.tmp"), "1\thalf a tab");
    EXPECT_EQ(m_dir.Entries(), (std::vector<std::string>{"kiv.txt", "kiv.txt.tmp", "other.txt"}));
}

TEST_F(PlantedFileTest, AFileLargerThanAnyTableIsNotRead) {
    // Sparse: three gigabytes that take no room, with no line end anywhere.
    constexpr std::uintmax_t kSize = 3ull << 30;
    std::ofstream(m_dir.Path() / "kiv.txt", std::ios::binary) << "1\t";
    fs::resize_file(m_dir.Path() / "kiv.txt", kSize);
    ExpectRefused(LoadReturning());
    EXPECT_EQ(fs::file_size(m_dir.Path() / "kiv.txt"), kSize);
}

TEST_F(PlantedFileTest, ALineLongerThanAnyLabelIsNotRead) {
    // Found only while reading: the rows before it stay in front of the defaults.
    const std::string bytes = "1\ta\r\n2\t" + std::string(kDataFileLimits.lineBytes, 'x') +
                              "\r\n3\tc\r\n4\td\r\n5\te\r\n";
    m_dir.Write("kiv.txt", bytes);
    const ArrScore scores = LoadReturning();
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0], "file:" + kiv::FullPath(DataFile()) +
                                 Sjis(u8" がありません、デフォルト値をロードします。"));
    EXPECT_EQ(scores.GetSize(), 1 + 41);
    EXPECT_EQ(m_dir.Read("kiv.txt"), bytes);
}

#ifdef _WIN32
TEST_F(PlantedFileTest, TheNullDeviceAndAPipeAreNotReadAndNothingWaits) {
    // No one writes to the pipe: a read of it would wait until its end here is closed. (Under
    // Wine the size of a pipe cannot be asked either, which refuses it too.)
    const std::string pipeName = "\\\\.\\pipe\\kiv-test-" + std::to_string(GetCurrentProcessId());
    std::unique_ptr<void, decltype(&CloseHandle)> pipe(
        CreateNamedPipeA(pipeName.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE, 1, 0, 0, 0,
                         nullptr),
        CloseHandle);
    ASSERT_NE(pipe.get(), INVALID_HANDLE_VALUE);
    // The null device in the data file's folder, where a save would write beside it.
    for (const CString& path : {m_dir.File("NUL"), CString(std::string_view(pipeName))}) {
        SCOPED_TRACE(path.GetString());
        m_dataFile = path;
        m_messages.clear();
        ExpectRefused(LoadReturning([&pipe] { pipe.reset(); }), {"other.txt"});
    }
}
#else
TEST_F(PlantedFileTest, AFifoIsNotReadAndNothingWaitsForAWriter) {
    ASSERT_EQ(::mkfifo(DataFile().GetString(), 0600), 0);
    // Should the open wait, a writer that comes and goes lets it end.
    ExpectRefused(LoadReturning([this] {
        const int fd = ::open(DataFile().GetString(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0) ::close(fd);
    }));
    struct stat info {};
    ASSERT_EQ(::lstat(DataFile().GetString(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

TEST_F(PlantedFileTest, ALinkToADeviceThatNeverEndsIsNotRead) {
    fs::create_symlink("/dev/zero", m_dir.Path() / "kiv.txt");
    ExpectRefused(LoadReturning());
    EXPECT_EQ(fs::read_symlink(m_dir.Path() / "kiv.txt"), "/dev/zero");
}
#endif

}  // namespace
