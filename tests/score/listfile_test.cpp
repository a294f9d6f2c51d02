#include "score/ListFile.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/runtime/CFileException.h"
#include "tests/support/TempDir.h"

namespace {

// A data file with the given bytes in a fresh temporary folder, removed afterwards.
class ListFileTest : public ::testing::Test {
protected:
    void Write(const std::string& bytes) const {
        std::FILE* f = std::fopen(m_path.GetString(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
    }

    std::vector<std::string> ReadAll() const {
        ListFile file(m_path);
        std::vector<std::string> rows;
        while (const auto row = file.Next())
            rows.push_back(row->power.Str() + "|" + row->name.Str());
        return rows;
    }

    TempDir m_dir;
    CString m_path = m_dir.File("kiv.txt");
};

}  // namespace

TEST(SplitListLineTest, SplitsAtTheFirstTabAndKeepsBothTextsAsWritten) {
    auto row = SplitListLine("300\tlabel\twith\ttabs");
    ASSERT_TRUE(row);
    EXPECT_EQ(row->power, CString("300"));
    EXPECT_EQ(row->name, CString("label\twith\ttabs"));

    row = SplitListLine("12.70\t");
    ASSERT_TRUE(row);
    EXPECT_EQ(row->power, CString("12.70"));
    EXPECT_EQ(row->name, CString(""));

    row = SplitListLine("\t\x95\x5C");  // 表: its second byte is a backslash
    ASSERT_TRUE(row);
    EXPECT_EQ(row->power, CString(""));
    EXPECT_EQ(row->name, CString("\x95\x5C"));

    EXPECT_FALSE(SplitListLine("abc"));
    EXPECT_FALSE(SplitListLine(""));
}

TEST_F(ListFileTest, ReadsRowsInFileOrderUpToTheFirstLineWithoutTab) {
    Write("20\tA\r\n125\tB\r\n130\tC\r\nno tab here\r\n140\tD\r\n");
    EXPECT_EQ(ReadAll(), (std::vector<std::string>{"20|A", "125|B", "130|C"}));
}

TEST_F(ListFileTest, AnEmptyLineEndsTheListingAndALastLineNeedsNoLineEnd) {
    Write("1\tA\r\n\r\n2\tB\r\n");
    EXPECT_EQ(ReadAll(), (std::vector<std::string>{"1|A"}));

    Write("1\tA\r\n2\tlast");
    EXPECT_EQ(ReadAll(), (std::vector<std::string>{"1|A", "2|last"}));

    Write("");
    EXPECT_TRUE(ReadAll().empty());
}

TEST_F(ListFileTest, AMissingFileThrowsWithThePathAsPassed) {
    try {
        ListFile file(m_path);
        FAIL() << "opened a missing file";
    } catch (const CFileException& e) {
        EXPECT_EQ(e.m_strFileName, m_path);
    }
}
