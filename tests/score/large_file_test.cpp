// Data files far beyond what anyone types: a million rows, and one line of 10 MB.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "platform/runtime/AfxMessageBox.h"
#include "score/ArrScore.h"
#include "tests/support/TempDir.h"

namespace {

TEST(LargeFileTest, AMillionRowsAndATenMegabyteLineLoadWholeAndUntouched) {
    const TempDir dir;
    const CString rowsPath = dir.File("rows.txt");
    const CString linePath = dir.File("line.txt");
    {
        std::ofstream rows(rowsPath.Str(), std::ios::binary);
        for (int i = 0; i < 1'000'000; ++i) rows << i << ".5\tlabel " << i << "\r\n";
        std::ofstream line(linePath.Str(), std::ios::binary);
        line << "7\t" << std::string(10'000'000, 'x') << "\r\n1\ta\r\n2\tb\r\n3\tc\r\n4\td";
    }
    int messages = 0;
    const MessageBoxHandler previous = SetAfxMessageBoxHandler([&](const CString&) { ++messages; });

    const ArrScore rows(rowsPath);
    ASSERT_EQ(rows.GetSize(), 1'000'000);
    EXPECT_EQ(rows[999'999].m_dPower, 999'999.5);
    EXPECT_EQ(rows[999'999].m_strName, CString("label 999999"));
    EXPECT_EQ(rows[123'456].m_strName, CString("label 123456"));

    const ArrScore line(linePath);
    ASSERT_EQ(line.GetSize(), 5);
    EXPECT_EQ(line[0].m_dPower, 7.0);
    EXPECT_EQ(line[0].m_strName.GetLength(), 10'000'000);
    EXPECT_EQ(line[4].m_strName, CString("d"));

    SetAfxMessageBoxHandler(previous);
    EXPECT_EQ(messages, 0);  // complete files: nothing reported, nothing rewritten
}

}  // namespace
