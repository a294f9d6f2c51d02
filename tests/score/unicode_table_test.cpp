#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/runtime/Format.h"
#include "score/ArrScore.h"
#include "score/DefaultScores.h"
#include "tests/support/MessageLog.h"
#include "tests/support/Sjis.h"
#include "tests/support/TempDir.h"

namespace {

// A five-row table whose labels Shift-JIS cannot all hold; the second has a TAB after a
// character whose UTF-8 bytes a Shift-JIS reading would pair with that TAB.
constexpr char16_t kTable[] =
    u"20\tとても遅いPC\r\n125\tあ\tい\r\n130\tZoë Ñandú\r\n150\t김철수\r\n170\t😀 速いPC\r\n";
const char8_t* const kLabels[] = {u8"とても遅いPC", u8"あ\tい", u8"Zoë Ñandú", u8"김철수",
                                  u8"😀 速いPC"};

std::string Utf16Le(std::u16string_view text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

std::string Utf8Bytes(std::u8string_view text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size());
}

std::string DefaultLines() {
    std::string text;
    for (const DefaultScore& row : DefaultScores()) {
        text += kiv::Format("%.0f\t%s\r\n", row.power, row.label);
    }
    return text;
}

class UnicodeTableTest : public testing::Test {
protected:
    ArrScore Load(const std::string& bytes) {
        m_dir.Write("kiv.txt", bytes);
        return ArrScore(m_dir.File("kiv.txt"));
    }

    TempDir m_dir;
    std::vector<CString> m_messages;
    MessageLog m_log{m_messages};
};

TEST_F(UnicodeTableTest, TablesInTheEncodingsEditorsSaveAreReadWhole) {
    const std::string utf8 = Utf8Bytes(
        u8"20\tとても遅いPC\r\n125\tあ\tい\r\n130\tZoë Ñandú\r\n150\t김철수\r\n170\t😀 速いPC\r\n");
    for (const std::string& bytes : {utf8, "\xEF\xBB\xBF" + utf8, Utf16Le(kTable)}) {
        const ArrScore scores = Load(bytes);
        ASSERT_EQ(scores.GetSize(), 5);
        EXPECT_EQ(scores[0].m_dPower, 20.0);
        EXPECT_EQ(scores[4].m_dPower, 170.0);
        for (int i = 0; i < 5; ++i) EXPECT_EQ(scores[i].m_strName, Utf8(kLabels[i]));
        EXPECT_TRUE(m_messages.empty());
        EXPECT_EQ(m_dir.Read("kiv.txt"), bytes);
    }
}

TEST_F(UnicodeTableTest, AShortTableIsCompletedInItsOwnEncoding) {
    const std::string mine = Utf8Bytes(u8"2.5\tとても速いPC😀\r\n100\tB\r\n");
    const ArrScore scores = Load("\xEF\xBB\xBF" + mine);
    ASSERT_EQ(scores.GetSize(), 2 + 41);
    EXPECT_EQ(m_messages.size(), 1u);
    // The user's rows as any row is written, their labels whole; then the defaults in UTF-8.
    const std::string written = m_dir.Read("kiv.txt");
    const std::string head = "\xEF\xBB\xBF" + Utf8Bytes(u8"3\tとても速いPC😀\r\n100\tB\r\n");
    ASSERT_EQ(written.substr(0, head.size()), head);
    const std::string rest = written.substr(head.size());
    EXPECT_EQ(Sjis(std::u8string(rest.begin(), rest.end())).Str(), DefaultLines());
    // The table in memory is the table its file reads back as.
    EXPECT_EQ(ArrScore(m_dir.File("kiv.txt"))[42].m_strName, scores[42].m_strName);

    const std::u16string two = u"1\t😀\r\n2\tB\r\n";
    Load(Utf16Le(two));
    EXPECT_EQ(m_dir.Read("kiv.txt").substr(0, Utf16Le(two).size()), Utf16Le(two));
    const ArrScore back(m_dir.File("kiv.txt"));
    ASSERT_EQ(back.GetSize(), 2 + 41);
    EXPECT_EQ(back[0].m_strName, Utf8(u8"😀"));
    const std::string last = back[42].m_strName.Str();
    EXPECT_EQ(Sjis(std::u8string(last.begin(), last.end())), CString(DefaultScores()[40].label));
}

TEST_F(UnicodeTableTest, AShortTableWithUnitsCutOffAfterTheEndOfDataStaysAsItIs) {
    // After U+001A only a lone byte, or a lone high surrogate: still the user's bytes.
    for (const std::string& after : {std::string("z"), std::string("\x3D\xD8", 2)}) {
        const std::string bytes = Utf16Le(u"1\tA\r\n\x1A") + after;
        EXPECT_EQ(Load(bytes).GetSize(), 1 + 41);
        EXPECT_EQ(m_dir.Read("kiv.txt"), bytes);
    }
}

TEST_F(UnicodeTableTest, FoldersThatShiftJisLacksAreUsedAsTheyAre) {
    for (const char8_t* folder : {u8"José", u8"a¥b", u8"김철수", u8"😀 Zoë Ñandú"}) {
        const std::filesystem::path dir = m_dir.Path() / std::u8string(folder);
        std::filesystem::create_directory(dir);
        m_messages.clear();
        const CString path = Utf8(dir.u8string()) + "/kiv.txt";

        const ArrScore scores(path);

        EXPECT_EQ(scores.GetSize(), 41);
        ASSERT_EQ(m_messages.size(), 1u);
        const std::u8string shown(path.Str().begin(), path.Str().end());
        EXPECT_EQ(m_messages[0],
                  Utf8(u8"file:" + shown + u8" がありません、デフォルト値をロードします。"));
        EXPECT_TRUE(std::filesystem::exists(dir / "kiv.txt")) << path.Str();
    }
}

}  // namespace
