#include "platform/CString.h"

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
