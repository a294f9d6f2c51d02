#include <gtest/gtest.h>

#include "cli/Console.h"
#include "cli/Options.h"
#include "tests/support/Sjis.h"

namespace {

std::optional<Options> Parse(std::vector<CString> args, std::string* errorOut = nullptr) {
    std::string error;
    std::optional<Options> options = ParseOptions(args, error);
    if (errorOut) *errorOut = error;
    return options;
}

TEST(KivcliOptionsTest, ReadsTheKnownOptions) {
    const auto none = Parse({});
    ASSERT_TRUE(none);
    EXPECT_FALSE(none->json || none->help || none->version || none->file);

    const auto all = Parse({"--json", "--file", "d/k.txt", "--version"});
    ASSERT_TRUE(all);
    EXPECT_TRUE(all->json && all->version);
    EXPECT_EQ(all->file, CString("d/k.txt"));

    EXPECT_EQ(Parse({"--file=x.txt"})->file, CString("x.txt"));
    EXPECT_TRUE(Parse({"--help"})->help);
}

TEST(KivcliOptionsTest, RefusesUnknownOptionsAndAMissingPath) {
    std::string error;
    EXPECT_FALSE(Parse({"--jsn"}, &error));
    EXPECT_EQ(error, "unknown option: --jsn");
    EXPECT_FALSE(Parse({"extra"}));
    EXPECT_FALSE(Parse({"--file"}, &error));
    EXPECT_EQ(error, "option --file needs a path");
    EXPECT_FALSE(Parse({"--file="}));
}

TEST(KivcliConsoleTest, ShiftJisBecomesUtf8) {
    const std::u8string text = u8"\nこのPCの戦闘力は 表 です。";
    EXPECT_EQ(ToUtf8(Sjis(text)), std::string(text.begin(), text.end()));
    EXPECT_EQ(ToUtf8(CString()), "");
}

}  // namespace
