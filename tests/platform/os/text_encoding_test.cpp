#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/os/CStdioFile.h"
#include "platform/os/Encoding.h"
#include "platform/os/TextEncoding.h"
#ifdef _WIN32
#include "platform/os/win32/Encoding.h"
#endif
#include "tests/support/Sjis.h"
#include "tests/support/TempDir.h"

namespace {

bool ValidUtf8(const std::vector<std::string>& chunks) {
    kiv::Utf8Check check;
    for (const std::string& chunk : chunks) check.Feed(chunk);
    return check.Valid();
}

}  // namespace

TEST(TextEncodingTest, Utf8CheckFollowsTheStandard) {
    EXPECT_TRUE(ValidUtf8({"plain", "Jos\xC3\xA9", "\xF0\x9F\x98\x80", ""}));
    // A character cut by a chunk's end goes on in the next chunk, but not at the very end.
    EXPECT_TRUE(ValidUtf8({"\xE3\x81", "\x82"}));
    EXPECT_FALSE(ValidUtf8({"\xE3\x81"}));
    EXPECT_FALSE(ValidUtf8({"\xC0\xAF"}));          // overlong
    EXPECT_FALSE(ValidUtf8({"\xE0\x80\xAF"}));      // overlong
    EXPECT_FALSE(ValidUtf8({"\xED\xA0\x80"}));      // a surrogate
    EXPECT_FALSE(ValidUtf8({"\xF4\x90\x80\x80"}));  // past U+10FFFF
    EXPECT_FALSE(ValidUtf8({"\x82\xA0"}));          // Shift-JIS
    kiv::Utf8Check ascii;
    ascii.Feed("100\tA\r\n");
    EXPECT_TRUE(ascii.Valid());
    EXPECT_FALSE(ascii.SawNonAscii());
}

TEST(TextEncodingTest, ConversionsNeverPickALookAlike) {
    EXPECT_EQ(kiv::InCodePage(Sjis(u8"とても速いPC"), CodePage::Utf8), Utf8(u8"とても速いPC"));
    EXPECT_EQ(kiv::InCodePage(Utf8(u8"速い"), CodePage::ShiftJis), Sjis(u8"速い"));
    // Shift-JIS has no é, ¥ or Hangul: each becomes '?', never "e" or a backslash.
    EXPECT_EQ(kiv::InCodePage(Utf8(u8"Jos\u00e9 a\u00a5b \uAE40"), CodePage::ShiftJis),
              CString("Jos? a?b ?"));
    EXPECT_EQ(kiv::Utf16LeOf(Utf8(u8"\U0001F600")), std::string("\x3D\xD8\x00\xDE", 4));
    EXPECT_EQ(kiv::Utf8OfUtf16Le(std::string("\x00\xD8x\x00", 4)), Utf8(u8"\uFFFDx"));
#ifdef _WIN32
    // From the system: Shift-JIS where it holds the text, else UTF-8, whole.
    EXPECT_EQ(kiv::Narrow(L"C:\\\u8868\\"), Sjis(u8"C:\\表\\"));
    EXPECT_EQ(kiv::Narrow(L"C:\\a\u00a5b\\\uAE40"), Utf8(u8"C:\\a\u00a5b\\김"));
    // To another of the system's code pages: 1252 has a look-alike of "ő" and no emoji; UTF-7
    // refuses the flag against look-alikes, and holds every character.
    EXPECT_EQ(kiv::BytesInSystemCodePage(Utf8(u8"\u0151\U0001F600\u00e9"), 1252), "??\xE9");
    EXPECT_EQ(kiv::BytesInSystemCodePage(Utf8(u8"\u0151\U0001F600"), 65000), "+AVHYPd4A-");
#endif
    // Joining converts only when both sides need their own code page.
    EXPECT_EQ(kiv::Concat(CString("file:") + Utf8(u8"C:\\José\\kiv.txt"), Sjis(u8" がありません")),
              Utf8(u8"file:C:\\José\\kiv.txt がありません"));
    EXPECT_EQ(kiv::Concat(CString("file:C:\\x"), Sjis(u8" がありません")),
              Sjis(u8"file:C:\\x がありません"));
    CString mixed = Sjis(u8"表");
    EXPECT_THROW(mixed += Utf8(u8"é"), std::logic_error);
}

TEST(TextEncodingTest, ShiftJisCharactersOfItsOwnConvertBothWays) {
    // 0x5C and 0x7E are a backslash and a tilde, not ¥ and ‾; ～ and ① are code page 932's own.
    const CString sjis("\\~\x81\x60\x87\x40");
    const CString utf8("\\~\xEF\xBD\x9E\xE2\x91\xA0", CodePage::Utf8);
    EXPECT_EQ(kiv::Utf16LeOf(sjis), std::string("\\\0~\0\x5E\xFF\x60\x24", 8));
    EXPECT_EQ(kiv::InCodePage(sjis, CodePage::Utf8), utf8);
    EXPECT_EQ(kiv::InCodePage(utf8, CodePage::ShiftJis), sjis);
#ifdef _WIN32
    EXPECT_EQ(kiv::Widen(sjis), L"\\~\uFF5E\u2460");
    EXPECT_EQ(kiv::Narrow(L"\\~\uFF5E\u2460"), sjis);
#endif
    // A character past the BMP is one character Shift-JIS lacks: one '?', not one per unit.
    EXPECT_EQ(kiv::InCodePage(Utf8(u8"a\U0001F600b"), CodePage::ShiftJis), CString("a?b"));
    // The pairs at the surrogates' edges (D800 DC00, DBFF DFFF), and the BMP's last character.
    EXPECT_EQ(kiv::InCodePage(Utf8(u8"\uFFFF\U00010000\U00010001|\U0010FFFE\U0010FFFF"),
                              CodePage::ShiftJis),
              CString("???|??"));
}

class TextFileTest : public testing::Test {
protected:
    // The lines of a file of these bytes, and the encoding the reader found.
    std::vector<CString> Read(const std::string& bytes) {
        m_dir.Write("in.txt", bytes);
        CStdioFile file(m_dir.File("in.txt"), CStdioFile::modeRead | CStdioFile::typeText);
        std::vector<CString> lines;
        CString line;
        while (file.ReadString(line)) lines.push_back(line);
        m_found = file.GetTextEncoding();
        return lines;
    }
    // The bytes written for text in encoding.
    std::string Write(TextEncoding encoding, const CString& text) {
        {
            CStdioFile file(m_dir.File("out.txt"), CStdioFile::modeCreate | CStdioFile::modeWrite);
            file.SetTextEncoding(encoding);
            file.WriteString(text);
        }
        return m_dir.Read("out.txt");
    }

    TempDir m_dir;
    TextEncoding m_found = TextEncoding::ShiftJis;
};

TEST_F(TextFileTest, EachEncodingIsFoundAndDecoded) {
    using Lines = std::vector<CString>;
    const Lines utf8{Utf8(u8"あ\tい"), Utf8(u8"x\u00e9")};
    EXPECT_EQ(Read("\xE3\x81\x82\t\xE3\x81\x84\r\nx\xC3\xA9"), utf8);
    EXPECT_EQ(m_found, TextEncoding::Utf8);
    EXPECT_EQ(Read("\xEF\xBB\xBF\xE3\x81\x82\t\xE3\x81\x84\r\nx\xC3\xA9"), utf8);
    EXPECT_EQ(m_found, TextEncoding::Utf8Bom);
    EXPECT_EQ(Read(std::string("\xFF\xFE\x42\x30\t\x00\x44\x30\r\x00\n\x00x\x00\xE9\x00", 16)),
              utf8);
    EXPECT_EQ(m_found, TextEncoding::Utf16LE);
    EXPECT_EQ(Read(std::string("\xFE\xFF\x30\x42\x00\t\x30\x44\x00\r\x00\n\x00x\x00\xE9", 16)),
              utf8);
    EXPECT_EQ(m_found, TextEncoding::Utf16BE);
    // ASCII alone, or one byte that is not UTF-8 anywhere in the file, is Shift-JIS.
    EXPECT_EQ(Read("100\tA"), Lines{"100\tA"});
    EXPECT_EQ(m_found, TextEncoding::ShiftJis);
    EXPECT_EQ(Read("\xE3\x81\x82\r\n" + std::string(200000, 'a') + "\x82\xA0"),
              (Lines{"\xE3\x81\x82", CString(std::string(200000, 'a') + "\x82\xA0")}));
    EXPECT_EQ(m_found, TextEncoding::ShiftJis);
}

TEST_F(TextFileTest, Utf16UnitsCutByChunksAndTheEndOfData) {
    // An emoji's surrogate pair across the reader's 64 KiB chunks, then U+001A ending the data.
    std::string bytes = "\xFF\xFE" + std::string(64 * 1024 - 4, 'a');
    for (size_t i = 3; i < bytes.size(); i += 2) bytes[i] = '\0';
    bytes += std::string("\x3D\xD8\x00\xDE\x1A\x00z\x00", 8);
    const std::vector<CString> lines = Read(bytes);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], CString(std::string((64 * 1024 - 4) / 2, 'a')) + Utf8(u8"\U0001F600"));
    // A lone last byte is a character cut off: U+FFFD, not dropped.
    EXPECT_EQ(Read(std::string("\xFF\xFE\x41\x00\x42", 5)),
              std::vector<CString>{Utf8(u8"A\uFFFD")});
    EXPECT_EQ(Read(std::string("\xFE\xFF\x00\x41\x42", 5)),
              std::vector<CString>{Utf8(u8"A\uFFFD")});
}

TEST_F(TextFileTest, WritingInEachEncodingWithItsMarkAndCrLf) {
    const CString text = Utf8(u8"1\té\n");
    EXPECT_EQ(Write(TextEncoding::Utf8, text), "1\t\xC3\xA9\r\n");
    EXPECT_EQ(Write(TextEncoding::Utf8Bom, text),
              "\xEF\xBB\xBF"
              "1\t\xC3\xA9\r\n");
    EXPECT_EQ(Write(TextEncoding::Utf16LE, text), std::string("\xFF\xFE"
                                                              "1\x00\t\x00\xE9\x00\r\x00\n\x00",
                                                              12));
    EXPECT_EQ(Write(TextEncoding::Utf16BE, Sjis(u8"表\n")),
              std::string("\xFE\xFF\x88\x68\x00\r\x00\n", 8));
    EXPECT_EQ(Write(TextEncoding::ShiftJis, Sjis(u8"表\n")), "\x95\x5C\r\n");
    // The mark starts the file, not each write.
    {
        CStdioFile file(m_dir.File("out.txt"), CStdioFile::modeCreate | CStdioFile::modeWrite);
        file.SetTextEncoding(TextEncoding::Utf16BE);
        for (const char* text : {"a", "b", "c"}) file.WriteString(text);
    }
    EXPECT_EQ(m_dir.Read("out.txt"), std::string("\xFE\xFF\0a\0b\0c", 8));
}
