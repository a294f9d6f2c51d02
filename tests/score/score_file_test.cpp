#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/runtime/CFileException.h"
#include "platform/runtime/Format.h"
#include "score/ArrScore.h"
#include "score/DefaultScores.h"
#include "tests/support/MessageLog.h"
#include "tests/support/Sjis.h"
#include "tests/support/TempDir.h"

#ifdef _WIN32
#include "tests/support/FileHolder.h"
#endif

namespace fs = std::filesystem;

namespace {

std::string DefaultLines() {
    std::string text;
    for (size_t i = 0; i < DefaultScores().size(); ++i) {
        text += kiv::Format("%.0f\t%s\r\n", DefaultScores()[i].power, DefaultScores()[i].label);
    }
    return text;
}

// Each test gets its own folder, and the message boxes of the load are collected.
class ScoreFileTest : public testing::Test {
protected:
    CString PathOf(const char* name) const { return m_dir.File(name); }
    CString DataFile() const { return PathOf("kiv.txt"); }

    CString NotFoundMessage(const CString& path) const {
        return "file:" + path + Sjis(u8" がありません、デフォルト値をロードします。");
    }

    TempDir m_dir;
    std::vector<CString> m_messages;
    MessageLog m_log{m_messages};
};

TEST_F(ScoreFileTest, FiveRowsAreLoadedAsTheyAreAndTheFileIsNotRewritten) {
    // LF line ends and "1e2": a rewrite would change the bytes.
    const std::string bytes = "1e2\tA\n200\tB\n300\tC\n400\tD\n500\tE";
    m_dir.Write("kiv.txt", bytes);

    const ArrScore scores(DataFile());

    ASSERT_EQ(scores.GetSize(), 5);
    EXPECT_EQ(scores[0].m_dPower, 100.0);
    EXPECT_EQ(scores[0].m_strName, CString("A"));
    EXPECT_EQ(scores[4].m_dPower, 500.0);
    EXPECT_EQ(scores[4].m_strName, CString("E"));  // the last line has no line end
    EXPECT_TRUE(m_messages.empty());
    EXPECT_EQ(m_dir.Read("kiv.txt"), bytes);
    EXPECT_EQ(scores.m_strPath, DataFile());
}

TEST_F(ScoreFileTest, FewerThanFiveRowsAreKeptInFrontOfTheDefaultsAndWrittenBack) {
    m_dir.Write("kiv.txt", "12.7\tX\r\nabc\r\n300\tlabel\twith\ttabs\r\n\r\n");

    const ArrScore scores(DataFile());

    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0], Sjis(u8"データ少ないため、デフォルト値をロードします。"));
    ASSERT_EQ(scores.GetSize(), 4 + 41);
    EXPECT_EQ(scores[0].m_dPower, 12.7);
    EXPECT_EQ(scores[1].m_strName, CString("abc"));
    EXPECT_EQ(scores[1].m_dPower, 0.0);
    EXPECT_EQ(scores[2].m_strName, CString("label\twith\ttabs"));
    EXPECT_EQ(scores[3].m_strName, CString());
    EXPECT_EQ(scores[4].m_strName, CString(DefaultScores()[0].label));
    EXPECT_EQ(m_dir.Read("kiv.txt"),
              "13\tX\r\n0\tabc\r\n300\tlabel\twith\ttabs\r\n0\t\r\n" + DefaultLines());
    EXPECT_EQ(m_dir.Entries(), std::vector<std::string>{"kiv.txt"});
}

TEST_F(ScoreFileTest, AMissingFileGetsTheDefaultsAndIsCreated) {
    const ArrScore scores(DataFile());

    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0], NotFoundMessage(DataFile()));
    EXPECT_EQ(scores.GetSize(), 41);
    EXPECT_EQ(m_dir.Read("kiv.txt"), DefaultLines());
    EXPECT_EQ(m_dir.Entries(), std::vector<std::string>{"kiv.txt"});
}

TEST_F(ScoreFileTest, AnExistingFileThatCannotBeReadIsNeverReplacedByTheDefaults) {
    // A folder named kiv.txt exists but cannot be read as a file.
    fs::create_directory(m_dir.Path() / "kiv.txt");
    m_dir.Write("kiv.txt/keep", "mine");

    const ArrScore scores(DataFile());

    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0], NotFoundMessage(DataFile()));
    EXPECT_EQ(scores.GetSize(), 41);
    EXPECT_TRUE(fs::is_directory(m_dir.Path() / "kiv.txt"));
    EXPECT_EQ(m_dir.Read("kiv.txt/keep"), "mine");
    EXPECT_EQ(m_dir.Entries(), std::vector<std::string>{"kiv.txt"});
}

TEST_F(ScoreFileTest, AFailedSaveAtStartUpIsReportedAndTheTableKept) {
    // The folder does not exist: neither reading nor writing can succeed.
    const CString path = PathOf("missing/kiv.txt");

    const ArrScore scores(path);

    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_EQ(m_messages[0], NotFoundMessage(path));
    EXPECT_EQ(m_messages[1], "file:" + path + Sjis(u8" に書き込めません。"));
    EXPECT_EQ(scores.GetSize(), 41);
    EXPECT_TRUE(m_dir.Entries().empty());
}

TEST_F(ScoreFileTest, AFailedSaveLeavesTheOldFileWhole) {
    const std::string old = "1\ta\r\n";
    m_dir.Write("kiv.txt", old);
    ArrScore scores = ArrScore::Unloaded(DataFile());
    scores.AppendDefaults();

    // No temporary file can be created, every name the save tries being taken: the old file
    // must not have been truncated first.
    std::vector<fs::path> taken{m_dir.Path() / "kiv.txt.tmp"};
    for (int i = 1; i < 16; ++i)
        taken.push_back(m_dir.Path() / ("kiv.txt.tmp" + std::to_string(i)));
    for (const fs::path& name : taken) fs::create_directory(name);
    EXPECT_THROW(scores.SaveFile(), CFileException);
    EXPECT_EQ(m_dir.Read("kiv.txt"), old);
    for (const fs::path& name : taken) fs::remove(name);

    // The replacement fails (a folder in the way): the temporary file does not stay behind.
    ArrScore blocked = ArrScore::Unloaded(PathOf("blocked"));
    blocked.AppendDefaults();
    fs::create_directory(m_dir.Path() / "blocked");
    m_dir.Write("blocked/inside", "x");
    EXPECT_THROW(blocked.SaveFile(), CFileException);
    EXPECT_EQ(m_dir.Entries().size(), 2u);  // kiv.txt and the folder

    // Saving an empty table writes nothing.
    ArrScore::Unloaded(PathOf("empty.txt")).SaveFile();
    EXPECT_FALSE(fs::exists(m_dir.Path() / "empty.txt"));
}

TEST_F(ScoreFileTest, LoadDefaultsAppendsToRowsAlreadyThereAndRewritesTheFile) {
    ArrScore scores = ArrScore::Unloaded(DataFile());
    scores.Add(CScore("a", 1));
    scores.Add(CScore("b", 2.5));
    scores.Add(CScore("c", 12.5));

    scores.LoadDefaults();

    EXPECT_EQ(scores.GetSize(), 44);
    // Half rounds away from zero: 2.5 is written as 3, 12.5 as 13.
    EXPECT_EQ(m_dir.Read("kiv.txt"), "1\ta\r\n3\tb\r\n13\tc\r\n" + DefaultLines());
}

#ifdef _WIN32
TEST_F(ScoreFileTest, AnotherProgramsBriefHoldDelaysTheLoadAndTheSaveAndALongOneIsReported) {
    const std::string five = "1\tA\r\n2\tB\r\n3\tC\r\n4\tD\r\n5\tE\r\n";
    m_dir.Write("kiv.txt", five);
    {
        const FileHolder spreadsheet(m_dir.Path() / "kiv.txt", FileHolder::kSpreadsheet, 500);
        EXPECT_EQ(ArrScore(DataFile()).GetSize(), 5);
        EXPECT_TRUE(m_messages.empty());
    }

    // A short table that an indexer opened after it was read: the rewrite waits for it.
    const std::string shortTable = "1\tA\r\n";
    m_dir.Write("kiv.txt", shortTable);
    {
        const FileHolder indexer(m_dir.Path() / "kiv.txt", FileHolder::kIndexer, 500);
        EXPECT_EQ(ArrScore(DataFile()).GetSize(), 1 + 41);
    }
    EXPECT_EQ(m_dir.Read("kiv.txt"), shortTable + DefaultLines());
    EXPECT_EQ(m_dir.Entries(), std::vector<std::string>{"kiv.txt"});

    // Held for longer than the waiting: reported, left as it was, nothing left beside it.
    m_messages.clear();
    m_dir.Write("kiv.txt", shortTable);
    {
        const FileHolder indexer(m_dir.Path() / "kiv.txt", FileHolder::kIndexer);
        EXPECT_EQ(ArrScore(DataFile()).GetSize(), 1 + 41);
    }
    ASSERT_EQ(m_messages.size(), 2u);
    EXPECT_EQ(m_messages[1], "file:" + DataFile() + Sjis(u8" に書き込めません。"));
    EXPECT_EQ(m_dir.Read("kiv.txt"), shortTable);
    EXPECT_EQ(m_dir.Entries(), std::vector<std::string>{"kiv.txt"});
}
#endif

}  // namespace
