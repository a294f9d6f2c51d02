#include "score/DataFilePath.h"

#include <gtest/gtest.h>

#include "tests/support/Sjis.h"

namespace {

CString WindowsRule(const CString& commandLine) {
    return ProgramDirectoryOf(commandLine, '\\', true);
}

CString LinuxRule(const CString& commandLine) {
    return ProgramDirectoryOf(commandLine, '/', false);
}

TEST(ProgramDirectoryTest, TakesTheProgramsFolderWithItsTrailingBackslash) {
    EXPECT_EQ(WindowsRule("\"C:\\Tools\\x\\prog.exe\""), CString("C:\\Tools\\x\\"));
    EXPECT_EQ(WindowsRule("C:\\Tools\\x\\prog.exe"), CString("C:\\Tools\\x\\"));
    EXPECT_EQ(WindowsRule("\"C:\\My Tools\\prog.exe\" a b"), CString("C:\\My Tools\\"));
    // Unquoted, spaces may belong to the path.
    EXPECT_EQ(WindowsRule("C:\\My Tools\\prog.exe"), CString("C:\\My Tools\\"));
    EXPECT_EQ(WindowsRule("\\prog.exe"), CString("\\"));
}

TEST(ProgramDirectoryTest, WithoutAFolderTheResultIsEmpty) {
    EXPECT_EQ(WindowsRule("prog.exe"), CString());
    EXPECT_EQ(WindowsRule("\"prog.exe\""), CString());
    EXPECT_EQ(WindowsRule("\"prog.exe\" C:\\data\\x"), CString());
    EXPECT_EQ(WindowsRule(""), CString());
    EXPECT_EQ(WindowsRule("\""), CString());
    EXPECT_EQ(DataFilePath().Mid(DataFilePath().GetLength() - 7), CString("kiv.txt"));
}

TEST(ProgramDirectoryTest, ABackslashInAnArgumentDoesNotMoveTheFolder) {
    EXPECT_EQ(WindowsRule("\"C:\\Tools\\prog.exe\" D:\\data\\file.txt"), CString("C:\\Tools\\"));
    EXPECT_EQ(WindowsRule("\"C:\\Tools\\prog.exe\" \"D:\\a b\\\""), CString("C:\\Tools\\"));
    // A quoted path that never closes is searched to the end.
    EXPECT_EQ(WindowsRule("\"C:\\Tools\\prog.exe"), CString("C:\\Tools\\"));
}

TEST(ProgramDirectoryTest, TheSecondByteOfADoubleByteCharacterIsNoBackslash) {
    // 表 is 0x95 0x5C, ソ is 0x83 0x5C.
    const CString folder = Sjis(u8"C:\\表\\ソフト表\\");
    EXPECT_EQ(WindowsRule("\"" + folder + "prog.exe\""), folder);
    EXPECT_EQ(WindowsRule(folder + "prog.exe"), folder);
    EXPECT_EQ(WindowsRule(Sjis(u8"C:\\x\\表.exe")), CString("C:\\x\\"));
    EXPECT_EQ(WindowsRule(Sjis(u8"\"C:\\表\\表.exe\" 表")), Sjis(u8"C:\\表\\"));
    // A UTF-8 path is searched byte by byte: 수 ends in 0x98, a Shift-JIS lead byte.
    EXPECT_EQ(WindowsRule(Utf8(u8"C:\\u\\김철수\\kiv.exe")), Utf8(u8"C:\\u\\김철수\\"));
    EXPECT_EQ(WindowsRule(Utf8(u8"\"C:\\u\\김철수\\kiv.exe\" a")), Utf8(u8"C:\\u\\김철수\\"));
}

TEST(ProgramDirectoryTest, OnLinuxTheSeparatorIsASlashAndBytesAreNotShiftJis) {
    EXPECT_EQ(LinuxRule("/opt/kiv/kivcli"), CString("/opt/kiv/"));
    EXPECT_EQ(LinuxRule("build/kivcli"), CString("build/"));
    EXPECT_EQ(LinuxRule("kivcli"), CString());
    // UTF-8 "表/" is E8 A1 A8 2F: 0xE8 would be a lead byte in code page 932 and must not swallow
    // the slash.
    EXPECT_EQ(LinuxRule("/home/\xE8\xA1\xA8/kivcli"), CString("/home/\xE8\xA1\xA8/"));
}

}  // namespace
