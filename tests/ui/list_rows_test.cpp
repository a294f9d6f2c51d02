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
