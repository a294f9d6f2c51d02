#include "ui/ListRows.h"

#include <gtest/gtest.h>

#include <string>

TEST(ListRowsTest, ShowsTheLastRowFirstWithEachCellAsWritten) {
    ListRows rows;
    EXPECT_EQ(rows.GetCount(), 0);
    EXPECT_EQ(rows.Cell(0, 0), "");
    rows.Add({"first", "100"});
    rows.Add({"", "12.70"});
    rows.Add({CString("\x95\x5C\tB\0C", 6), ""});  // 表, a TAB and a NUL stay in the label
    ASSERT_EQ(rows.GetCount(), 3);
    EXPECT_EQ(rows.Cell(0, 0), std::string("\x95\x5C\tB\0C", 6));
    EXPECT_EQ(rows.Cell(0, 1), "");
    EXPECT_EQ(rows.Cell(1, 0), "");
    EXPECT_EQ(rows.Cell(1, 1), "12.70");
    EXPECT_EQ(rows.Cell(2, 0), "first");
    EXPECT_EQ(rows.Cell(2, 1), "100");
    // Outside the rows or the two columns: nothing.
    EXPECT_EQ(rows.Cell(3, 0), "");
    EXPECT_EQ(rows.Cell(-1, 0), "");
    EXPECT_EQ(rows.Cell(0, 2), "");
}

TEST(ListRowsTest, KeepsManyRowsInOrder) {
    ListRows rows;
    for (int i = 0; i < 100'000; ++i) rows.Add({std::to_string(i).c_str(), "7"});
    ASSERT_EQ(rows.GetCount(), 100'000);
    EXPECT_EQ(rows.Cell(0, 0), "99999");
    EXPECT_EQ(rows.Cell(54'321, 0), "45678");
    EXPECT_EQ(rows.Cell(99'999, 0), "0");
    EXPECT_EQ(rows.Cell(99'999, 1), "7");
}
