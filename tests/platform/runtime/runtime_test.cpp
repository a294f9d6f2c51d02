#include "platform/runtime/Runtime.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/runtime/AfxMessageBox.h"

// Runs before any other test touches the generator: the state starts as if seeded with 1.
TEST(RandTest, FollowsTheClassicSequence) {
    std::vector<int> first;
    for (int i = 0; i < 5; ++i) first.push_back(kiv::rand());
    EXPECT_EQ(first, (std::vector<int>{41, 18467, 6334, 26500, 19169}));
    kiv::srand(1);
    EXPECT_EQ(kiv::rand(), 41);
    kiv::srand(0);
    EXPECT_EQ(kiv::rand(), 38);
    EXPECT_EQ(kiv::rand(), 7719);
    kiv::srand(0xFFFFFFFFu);
    for (int i = 0; i < 100000; ++i) {
        const int value = kiv::rand();
        ASSERT_GE(value, 0);
        ASSERT_LE(value, 32767);
    }
}

TEST(AfxMessageBoxTest, GoesToTheHandlerAndWithoutOneToStandardError) {
    std::vector<CString> shown;
    const MessageBoxHandler previous =
        SetAfxMessageBoxHandler([&](const CString& text) { shown.push_back(text); });
    AfxMessageBox("file:kiv.txt \x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1");
    EXPECT_EQ(
        shown,
        (std::vector<CString>{"file:kiv.txt \x82\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB9\x82\xF1"}));

    SetAfxMessageBoxHandler(nullptr);
    testing::internal::CaptureStderr();
    AfxMessageBox("to the console");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "to the console\n");
    EXPECT_EQ(shown.size(), 1u);
    SetAfxMessageBoxHandler(previous);
}
