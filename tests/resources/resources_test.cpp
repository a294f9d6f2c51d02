// Reads kiv.exe's resources back as the system sees them: the dialog layouts, texts, ids and
// font, the menu strings and the icons: where a wrongly decoded character or a slipped coordinate
// would show.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "resources/resource.h"

namespace {

struct Item {
    DWORD style;
    short x, y, cx, cy;
    int id;
    std::wstring windowClass;  // "#128" for a predefined class given by ordinal
    std::wstring text;         // "#129" for a resource given by ordinal
};

struct Dialog {
    DWORD style, exStyle;
    short cx, cy;
    std::wstring caption, font;
    WORD pointSize;
    BYTE charset;
    std::vector<Item> items;
};

// Reads the parts of a DLGTEMPLATEEX in order; every field of it is 16-bit aligned.
class Reader {
public:
    explicit Reader(const BYTE* data) : m_p(data) {}

    template <class T>
    T Get() {
        T value;
        std::memcpy(&value, m_p, sizeof value);
        m_p += sizeof value;
        return value;
    }
    // A string, or an ordinal written as "#n".
    std::wstring SzOrOrd() {
        if (Peek() == 0xFFFF) {
            Get<WORD>();
            return L"#" + std::to_wstring(Get<WORD>());
        }
        std::wstring text;
        while (const WORD c = Get<WORD>()) text += static_cast<wchar_t>(c);
        return text;
    }
    void AlignDword() {
        while (reinterpret_cast<std::uintptr_t>(m_p) % 4) ++m_p;
    }

private:
    WORD Peek() const {
        WORD value;
        std::memcpy(&value, m_p, sizeof value);
        return value;
    }

    const BYTE* m_p;
};

class ResourcesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_module = LoadLibraryExW(KIV_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(s_module, nullptr) << "cannot load " << KIV_EXE;
    }
    static void TearDownTestSuite() { FreeLibrary(s_module); }

    static const BYTE* Resource(LPCWSTR type, int id) {
        const HRSRC info = FindResourceW(s_module, MAKEINTRESOURCEW(id), type);
        if (!info) return nullptr;
        return static_cast<const BYTE*>(LockResource(LoadResource(s_module, info)));
    }

    static Dialog LoadDialog(int id) {
        const BYTE* data = Resource(RT_DIALOG, id);
        EXPECT_NE(data, nullptr) << "dialog " << id;
        Dialog d{};
        if (!data) return d;
        Reader r(data);
        EXPECT_EQ(r.Get<WORD>(), 1);       // dlgVer: an extended template
        EXPECT_EQ(r.Get<WORD>(), 0xFFFF);  // signature
        r.Get<DWORD>();                    // helpID
        d.exStyle = r.Get<DWORD>();
        d.style = r.Get<DWORD>();
        const WORD count = r.Get<WORD>();
        EXPECT_EQ(r.Get<short>(), 0);
        EXPECT_EQ(r.Get<short>(), 0);
        d.cx = r.Get<short>();
        d.cy = r.Get<short>();
        EXPECT_EQ(r.SzOrOrd(), L"");  // no menu
        EXPECT_EQ(r.SzOrOrd(), L"");  // the standard dialog class
        d.caption = r.SzOrOrd();
        d.pointSize = r.Get<WORD>();
        r.Get<WORD>();  // weight
        r.Get<BYTE>();  // italic
        d.charset = r.Get<BYTE>();
        d.font = r.SzOrOrd();
        for (WORD i = 0; i < count; ++i) {
            r.AlignDword();
            Item item{};
            r.Get<DWORD>();  // helpID
            r.Get<DWORD>();  // exStyle
            item.style = r.Get<DWORD>();
            item.x = r.Get<short>();
            item.y = r.Get<short>();
            item.cx = r.Get<short>();
            item.cy = r.Get<short>();
            item.id = static_cast<int>(r.Get<DWORD>());
            item.windowClass = r.SzOrOrd();
            item.text = r.SzOrOrd();
            EXPECT_EQ(r.Get<WORD>(), 0);  // no creation data
            d.items.push_back(item);
        }
        return d;
    }

    static void ExpectFrame(const Dialog& d, short cx, short cy, const wchar_t* caption) {
        EXPECT_EQ(d.cx, cx);
        EXPECT_EQ(d.cy, cy);
        EXPECT_EQ(d.caption, caption);
        EXPECT_EQ(d.font, L"ＭＳ Ｐゴシック");
        EXPECT_EQ(d.pointSize, 9);
        EXPECT_EQ(d.charset, SHIFTJIS_CHARSET);
        const DWORD frame = DS_SETFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
        EXPECT_EQ(d.style & frame, frame);
    }

    static void ExpectItem(const Item& item, int id, const wchar_t* windowClass,
                           const wchar_t* text, short x, short y, short cx, short cy) {
        EXPECT_EQ(item.id, id) << item.text;
        // Class names are case-insensitive; windres writes them in capitals.
        EXPECT_EQ(_wcsicmp(item.windowClass.c_str(), windowClass), 0) << item.windowClass;
        EXPECT_EQ(item.text, text);
        EXPECT_EQ(item.x, x) << item.text;
        EXPECT_EQ(item.y, y) << item.text;
        EXPECT_EQ(item.cx, cx) << item.text;
        EXPECT_EQ(item.cy, cy) << item.text;
    }

    static std::wstring String(UINT id) {
        const wchar_t* text = nullptr;
        const int length = LoadStringW(s_module, id, reinterpret_cast<LPWSTR>(&text), 0);
        return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
    }

    static HMODULE s_module;
};

HMODULE ResourcesTest::s_module = nullptr;

const wchar_t* const kButton = L"#128";
const wchar_t* const kStatic = L"#130";

}  // namespace

TEST_F(ResourcesTest, MainDialogIsAVisibleAppWindowWithOneDefaultButton) {
    const Dialog d = LoadDialog(IDD_MAIN);
    ExpectFrame(d, 158, 67, L"ケイモル");
    EXPECT_TRUE(d.style & WS_VISIBLE);
    EXPECT_TRUE(d.exStyle & WS_EX_APPWINDOW);
    ASSERT_EQ(d.items.size(), 1u);
    ExpectItem(d.items[0], IDOK, kButton, L"計測する", 53, 24, 50, 14);
    EXPECT_EQ(d.items[0].style & 0xF, static_cast<DWORD>(BS_DEFPUSHBUTTON));
}

TEST_F(ResourcesTest, ListDialogHasAnUnsortedReportViewAndAnOkButton) {
    const Dialog d = LoadDialog(IDD_LIST);
    ExpectFrame(d, 191, 189, L"一覧の表示");
    EXPECT_FALSE(d.style & WS_VISIBLE);
    ASSERT_EQ(d.items.size(), 2u);
    ExpectItem(d.items[0], IDOK, kButton, L"OK", 152, 168, 32, 14);
    EXPECT_EQ(d.items[0].style & 0xF, static_cast<DWORD>(BS_DEFPUSHBUTTON));
    ExpectItem(d.items[1], IDC_LIST, L"SysListView32", L"", 7, 7, 177, 155);
    const DWORD list = d.items[1].style;
    EXPECT_EQ(list & (LVS_TYPEMASK | WS_BORDER | WS_TABSTOP),
              static_cast<DWORD>(LVS_REPORT | WS_BORDER | WS_TABSTOP));
    EXPECT_FALSE(list & (LVS_SORTASCENDING | LVS_SORTDESCENDING));
}

TEST_F(ResourcesTest, AboutBoxShowsIconNameAndNotice) {
    const Dialog d = LoadDialog(IDD_ABOUTBOX);
    ExpectFrame(d, 214, 55, L"ケイモルのバージョン情報");
    ASSERT_EQ(d.items.size(), 4u);
    EXPECT_EQ(d.items[0].id, -1);
    EXPECT_EQ(d.items[0].windowClass, kStatic);
    EXPECT_EQ(d.items[0].text, L"#129");
    EXPECT_EQ(d.items[0].style & SS_TYPEMASK, static_cast<DWORD>(SS_ICON));
    EXPECT_EQ(d.items[0].x, 11);
    EXPECT_EQ(d.items[0].y, 17);
    ExpectItem(d.items[1], -1, kStatic, L"ケイモル ver 0.01", 40, 10, 119, 8);
    EXPECT_TRUE(d.items[1].style & SS_NOPREFIX);
    EXPECT_EQ(d.items[2].id, -1);
    EXPECT_FALSE(d.items[2].text.empty());
    EXPECT_EQ(d.items[2].x, 80);
    EXPECT_EQ(d.items[2].y, 25);
    EXPECT_EQ(d.items[2].cx, 75);
    EXPECT_EQ(d.items[2].cy, 8);
    ExpectItem(d.items[3], IDOK, kButton, L"OK", 157, 7, 50, 14);
    EXPECT_EQ(d.items[3].style & 0xF, static_cast<DWORD>(BS_DEFPUSHBUTTON));
}

TEST_F(ResourcesTest, SystemMenuStrings) {
    EXPECT_EQ(String(IDS_ABOUTBOX), L"ケイモルのバージョン情報(&A)...");
    EXPECT_EQ(String(IDS_SHOWLIST), L"一覧の表示(&L)");
}

TEST_F(ResourcesTest, BothIconsKeepThe16ColourImageAndGainDrawnSizes) {
    const BYTE kDrawn[] = {16, 20, 24, 32, 40, 48, 64, 0};  // 0 stands for 256
    for (const int id : {IDR_MAINFRAME, IDR_ABOUTICON}) {
        const BYTE* group = Resource(RT_GROUP_ICON, id);
        ASSERT_NE(group, nullptr) << "icon " << id;
        Reader r(group);
        r.Get<WORD>();
        EXPECT_EQ(r.Get<WORD>(), 1);  // an icon
        ASSERT_EQ(r.Get<WORD>(), 1 + std::size(kDrawn)) << "images in icon " << id;
        EXPECT_EQ(r.Get<BYTE>(), 32);
        EXPECT_EQ(r.Get<BYTE>(), 32);
        EXPECT_EQ(r.Get<BYTE>(), 16);
        r.Get<BYTE>();
        r.Get<WORD>();
        EXPECT_EQ(r.Get<WORD>(), 4);  // bits per pixel
        r.Get<DWORD>();
        r.Get<WORD>();
        for (const BYTE size : kDrawn) {
            EXPECT_EQ(r.Get<BYTE>(), size);
            EXPECT_EQ(r.Get<BYTE>(), size);
            r.Get<WORD>();
            r.Get<WORD>();
            EXPECT_EQ(r.Get<WORD>(), 32) << "bits per pixel at " << int{size};
            r.Get<DWORD>();
            // Each image is a PNG: the format Windows takes for any size since Vista.
            const BYTE* image = Resource(RT_ICON, r.Get<WORD>());
            ASSERT_NE(image, nullptr);
            EXPECT_EQ(std::memcmp(image, "\x89PNG", 4), 0) << "icon " << id << " at " << int{size};
        }
    }
}

// The system picks the drawn image for each size, not the 32-pixel one stretched: only the drawn
// images hold the navy of their rims and borders.
TEST_F(ResourcesTest, LoadImageTakesTheDrawnImageAtEachSize) {
    for (const int id : {IDR_MAINFRAME, IDR_ABOUTICON}) {
        for (const int size : {16, 20, 24, 32, 40, 48, 64, 256}) {
            const HICON icon = static_cast<HICON>(
                LoadImageW(s_module, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
            ASSERT_NE(icon, nullptr) << id << " at " << size;
            ICONINFO info{};
            ASSERT_TRUE(GetIconInfo(icon, &info));
            BITMAPINFO bmi{};
            bmi.bmiHeader = {sizeof bmi.bmiHeader, size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
            std::vector<DWORD> pixels(static_cast<size_t>(size) * size);
            const HDC screen = GetDC(nullptr);
            EXPECT_EQ(
                GetDIBits(screen, info.hbmColor, 0, size, pixels.data(), &bmi, DIB_RGB_COLORS),
                size);
            ReleaseDC(nullptr, screen);
            BITMAP bitmap{};
            GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
            EXPECT_EQ(bitmap.bmWidth, size);
            EXPECT_EQ(bitmap.bmHeight, size);
            const DWORD navy = 0xFF1A2F80;  // alpha, red, green, blue
            EXPECT_NE(std::count(pixels.begin(), pixels.end(), navy), 0) << id << " at " << size;
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
            DestroyIcon(icon);
        }
    }
}

TEST_F(ResourcesTest, ManifestAsksForCommonControls6AndVersionInfoExists) {
    const HRSRC info = FindResourceW(s_module, MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_NE(info, nullptr);
    const char* text = static_cast<const char*>(LockResource(LoadResource(s_module, info)));
    const std::string manifest(text, SizeofResource(s_module, info));
    EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find("<dpiAware"), std::string::npos);
    EXPECT_NE(manifest.find(">PerMonitorV2, system</dpiAwareness>"), std::string::npos);
    EXPECT_EQ(manifest.find('@'), std::string::npos) << "unreplaced placeholder";
    EXPECT_NE(Resource(RT_VERSION, 1), nullptr);
}
