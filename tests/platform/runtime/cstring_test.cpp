#include "platform/runtime/CString.h"

#include <gtest/gtest.h>

TEST(CStringTest, MidAndLeftClampTheirArguments) {
    const CString s("abcdef");
    EXPECT_EQ(s.Mid(2), CString("cdef"));
    EXPECT_EQ(s.Mid(-3, 2), CString("ab"));
    EXPECT_EQ(s.Mid(10), CString(""));
    EXPECT_EQ(s.Mid(4, 99), CString("ef"));
    EXPECT_EQ(s.Left(-1), CString(""));
    EXPECT_EQ(s.Left(3), CString("abc"));
}

TEST(CStringTest, ReverseFindStepsOverDoubleByteCharacters) {
    // "C:\表\" : the trail byte of 表 (0x95 0x5C) is not a backslash.
    const CString path("C:\\\x95\x5C\\x");
    EXPECT_EQ(path.ReverseFind('\\'), 5);
    EXPECT_EQ(CString("\x95\x5C").ReverseFind('\\'), -1);
    EXPECT_EQ(CString("a\\\x95").ReverseFind('\\'), 1);
}

TEST(CStringTest, FindMatchesOnlyAtCharacterBoundaries) {
    // 表 is 0x95 0x5C: its trail byte is not a backslash.
    EXPECT_EQ(CString("\x95\x5C").Find("\\"), -1);
    EXPECT_EQ(CString("a\x95\x5C\\b").Find("\\"), 3);
    // "\xA0\x82" straddles two characters of あい (0x82 0xA0 0x82 0xA2).
    EXPECT_EQ(CString("\x82\xA0\x82\xA2").Find("\xA0\x82"), -1);
    EXPECT_EQ(CString("\x82\xA0\x82\xA2").Find("\x82\xA2"), 2);
    EXPECT_EQ(CString("100\tA\tB").Find("\t"), 3);
    EXPECT_EQ(CString("abc").Find("abcd"), -1);
    EXPECT_EQ(CString("abc").Find(""), 0);
    // A lead byte as the last byte is a character of its own.
    EXPECT_EQ(CString("ab\x82").Find("\x82"), 2);
    // In UTF-8 every byte is a boundary: あ's last byte 0x82 would be a Shift-JIS lead byte.
    const CString utf8("\xE3\x81\x82\t\xE3\x81\x84", CodePage::Utf8);  // あ<TAB>い
    EXPECT_EQ(utf8.Find("\t"), 3);
    EXPECT_EQ(utf8.Find("\xE3\x81\x84"), 4);
}
