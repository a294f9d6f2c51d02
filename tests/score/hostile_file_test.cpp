// Data files as editors, spreadsheets and broken disks leave them. In each the program must load a
// usable table, and the file on disk must stay as it was unless it held too few rows to use, in
// which case the rewritten file must read back with the same rows.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "score/ArrScore.h"
#include "score/FindRank.h"
#include "tests/support/MessageLog.h"
#include "tests/support/TempDir.h"

namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();

// All the bytes of a literal, NULs included.
template <size_t N>
std::string Bytes(const char (&literal)[N]) {
    return std::string(literal, N - 1);
}

class HostileFileTest : public testing::Test {
protected:
    void Write(const std::string& bytes) const { m_dir.Write("kiv.txt", bytes); }
    std::string Read() const { return m_dir.Read("kiv.txt"); }
    ArrScore Load() {
        m_messages.clear();
        ArrScore scores(m_dir.File("kiv.txt"));
        // Whatever the file held, the table can rate a figure.
        EXPECT_GE(scores.GetSize(), 5);
        EXPECT_LE(FindRank(scores, 1000.0), scores.GetSize());
        return scores;
    }
    // The file as it is now loads without a message and with the rows of expected.
    void ExpectRereadAs(const ArrScore& expected) {
        const ArrScore again = Load();
        EXPECT_TRUE(m_messages.empty());
        ASSERT_EQ(again.GetSize(), expected.GetSize());
        for (std::ptrdiff_t i = 0; i < again.GetSize(); ++i) {
            EXPECT_EQ(again[i].m_strName, expected[i].m_strName) << "row " << i;
            EXPECT_EQ(again[i].m_dPower, std::round(expected[i].m_dPower)) << "row " << i;
        }
    }

    TempDir m_dir;
    std::vector<CString> m_messages;
    MessageLog m_log{m_messages};
};

TEST_F(HostileFileTest, EmptyAndCarriageReturnOnlyFilesGetTheDefaultsAndReadBack) {
    for (const std::string& bytes : {std::string(), std::string(7, '\r')}) {
        Write(bytes);
        const ArrScore scores = Load();
        EXPECT_EQ(m_messages.size(), 1u);
        // Lone CRs stay in the line: seven of them are one row whose label they are.
        const std::ptrdiff_t read = bytes.empty() ? 0 : 1;
        ASSERT_EQ(scores.GetSize(), read + 41);
        if (read == 1) {
            EXPECT_EQ(scores[0].m_strName.Str(), bytes);
        }
        ExpectRereadAs(scores);
    }
}

TEST_F(HostileFileTest, RowsAfterAnEndOfDataByteAreHiddenButNeverOverwritten) {
    const std::string hidden =
        "1\ta\r\n2\tb\r\n\x1A"
        "3\tc\r\n4\td\r\n5\te\r\n";
    Write(hidden);
    const ArrScore scores = Load();
    EXPECT_EQ(m_messages.size(), 1u);
    ASSERT_EQ(scores.GetSize(), 2 + 41);
    EXPECT_EQ(scores[1].m_strName, CString("b"));
    EXPECT_EQ(Read(), hidden);

    // The same when the 0x1A is the last byte the reader takes in one go (64 KiB), and the rows
    // come in the next.
    const std::string head = "1\ta\r\n2\t";
    const std::string atChunkEnd = head + std::string(65'535 - head.size(), 'b') +
                                   "\x1A"
                                   "3\tc\r\n";
    Write(atChunkEnd);
    EXPECT_EQ(Load().GetSize(), 2 + 41);
    EXPECT_EQ(Read(), atChunkEnd);

    // A 0x1A as the very last byte (as old editors add) hides nothing: the short file is
    // rewritten, and a complete one kept.
    Write("1\ta\r\n2\tb\r\n\x1A");
    ExpectRereadAs(Load());
    const std::string complete = "1\ta\r\n2\tb\r\n3\tc\r\n4\td\r\n5\te\x1A";
    Write(complete);
    EXPECT_EQ(Load().GetSize(), 5);
    EXPECT_EQ(Read(), complete);
}

TEST_F(HostileFileTest, NulBytesAndBrokenShiftJisSurviveARewrite) {
    // A NUL inside a label, a lead byte before the TAB (which it takes as its second byte, so the
    // line has no TAB), a lead byte before the line end and one at the very end of the file.
    Write(Bytes("1\ta\0b\r\n\x83\t7\r\n2\t\x83\r\n3\tc\x83"));
    const ArrScore scores = Load();
    ASSERT_EQ(scores.GetSize(), 4 + 41);
    EXPECT_EQ(scores[0].m_strName.Str(), Bytes("a\0b"));
    EXPECT_EQ(scores[1].m_strName, CString("\x83\t7"));
    EXPECT_EQ(scores[1].m_dPower, 0.0);
    EXPECT_EQ(scores[2].m_strName, CString("\x83"));
    EXPECT_EQ(scores[3].m_strName, CString("c\x83"));
    const std::string written = Bytes("1\ta\0b\r\n0\t\x83\t7\r\n");
    EXPECT_EQ(Read().substr(0, written.size()), written);
    ExpectRereadAs(scores);
}

TEST_F(HostileFileTest, PowersOutOfRangeAreWrittenBackAsTheSameValue) {
    Write("1e400\tup\r\n-1e400\tdown\r\nnan\tword\r\n1e-400\ttiny\r\n");
    const ArrScore scores = Load();
    ASSERT_EQ(scores.GetSize(), 4 + 41);
    EXPECT_EQ(scores[0].m_dPower, kInfinity);
    EXPECT_EQ(scores[1].m_dPower, -kInfinity);
    EXPECT_EQ(scores[2].m_dPower, 0.0);  // the grammar has no NaN: no number gives 0
    EXPECT_EQ(scores[3].m_dPower, 0.0);
    // Never "inf", which would read back as 0.
    const std::string written = "1e999\tup\r\n-1e999\tdown\r\n0\tword\r\n0\ttiny\r\n";
    EXPECT_EQ(Read().substr(0, written.size()), written);
    ExpectRereadAs(scores);
    EXPECT_EQ(FindRank(scores, 1e300), 0);  // the infinite row is above any figure
}

TEST_F(HostileFileTest, LongLabelsTabFreeLinesAndByteOrderMarksAreRead) {
    const std::string label(100'000, '\x82');
    const std::string bom = "\xEF\xBB\xBF";
    const std::string bytes = bom + "100\tA\r\n200\t" + label + "\r\nno tab here\r\n\r\n500\tE\r\n";
    Write(bytes);
    const ArrScore scores = Load();
    EXPECT_TRUE(m_messages.empty());
    ASSERT_EQ(scores.GetSize(), 5);
    // The byte-order mark says the file is UTF-8 and is no part of the first power text.
    EXPECT_EQ(scores[0].m_dPower, 100.0);
    EXPECT_EQ(scores[1].m_strName.Str(), label);
    EXPECT_EQ(scores[2].m_strName, CString("no tab here"));
    EXPECT_EQ(scores[3].m_strName, CString());
    EXPECT_EQ(Read(), bytes);
}

}  // namespace
