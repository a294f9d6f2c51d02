#include "platform/window/AppName.h"

#include <gtest/gtest.h>

TEST(FileStemTest, DropsTheFolderAndOnlyTheLastExtension) {
    EXPECT_EQ(FileStem(L"C:\\Tools\\x\\kiv.exe"), L"kiv");
    EXPECT_EQ(FileStem(L"C:/Tools/kiv.EXE"), L"kiv");
    EXPECT_EQ(FileStem(L"kiv.test.exe"), L"kiv.test");
    // A dot in a folder name is no extension.
    EXPECT_EQ(FileStem(L"C:\\v1.2\\kiv"), L"kiv");
    EXPECT_EQ(FileStem(L"C:\\\x8868\\kiv.exe"), L"kiv");  // 表
    EXPECT_EQ(FileStem(L".hidden"), L".hidden");
}
