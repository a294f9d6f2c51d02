#include "platform/os/WriteAll.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

TEST(WriteAllTest, GivesEveryByteInOrderHoweverLittleEachWriteTakes) {
    const std::string data = "0123456789abcdef";
    std::string written;
    const bool whole = kiv::WriteAll(data.data(), data.size(), [&](const char* part, size_t n) {
        const size_t count = std::min<size_t>(n, 3);
        written.append(part, count);
        return count;
    });
    EXPECT_TRUE(whole);
    EXPECT_EQ(written, data);
}

TEST(WriteAllTest, AWriteThatTakesNothingEndsTheLoop) {
    const std::string data(10, 'x');
    int calls = 0;
    const bool whole = kiv::WriteAll(data.data(), data.size(), [&](const char*, size_t n) {
        return ++calls == 1 ? n / 2 : size_t{0};
    });
    EXPECT_FALSE(whole);
    EXPECT_EQ(calls, 2);
}

}  // namespace
