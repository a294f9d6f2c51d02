#include "platform/os/FileSystem.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/runtime/CFileException.h"
#include "tests/support/TempDir.h"

#ifdef _WIN32
#include "platform/os/win32/Encoding.h"
#endif

namespace {

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

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
