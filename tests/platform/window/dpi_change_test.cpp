// A real dialog from the program's resources gets the message a move to a monitor of another DPI
// sends (Wine moves no window between DPIs): the window framework takes the suggested rectangle,
// scales the list's columns and loads the icons for the new DPI. Windows' dialog manager then lays
// the controls out again from the template, which Wine does not: the test does it for the icon.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/window/CDialog.h"
#include "resources/resource.h"

namespace {

struct State {
    RECT window;
    std::vector<int> columns;
    int bigIcon, smallIcon, controlIcon;  // widths; 0 for none
};

int IconWidth(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return 0;
    BITMAP bitmap{};
    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

// Runs the steps inside its OnInitDialog, where the modal dialog lets the test at it, and keeps
// the state after each.
class DpiChangeDialog : public CDialog {
public:
    explicit DpiChangeDialog(UINT templateId) : CDialog(templateId) {
        // As the program's entry point does: the manifest asks for common controls 6, whose
        // classes (the list view, and the buttons too) exist once the DLL is loaded.
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&controls);
    }

    UINT m_startDpi = 0;
    std::vector<State> m_states;
    // With DPIs here, each is changed to and the icon control laid out anew; m_icon keeps its box
    // afterwards, in the dialog's client coordinates, and the template box it was given.
    std::vector<UINT> m_relayoutDpis;
    std::vector<std::pair<RECT, RECT>> m_icon;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        m_startDpi = GetDpi();
        SetWindowIcon(IDR_MAINFRAME);
        SetControlIcon(IDR_ABOUTICON);
        const HWND list = ::GetDlgItem(m_hWnd, IDC_LIST);
        if (list) {
            AddColumn(list, 0, 170);
            AddColumn(list, 1, 110);
            // The user widens the first column.
            ::SendMessageW(list, LVM_SETCOLUMNWIDTH, 0, 201);
        }
        Keep(list);
        for (const UINT dpi : m_relayoutDpis) {
            ChangeDpi(dpi, {100, 50, 100 + 600, 50 + 500});
            m_icon.push_back(RelayOutIcon(dpi));
        }
        ChangeDpi(192, {100, 50, 100 + 600, 50 + 500});
        Keep(list);
        ChangeDpi(96, {110, 60, 110 + 300, 60 + 250});
        Keep(list);
        // The dialog's own private message must not take a number the dialog manager answers.
        EXPECT_EQ(::SendMessageW(m_hWnd, DM_GETDEFID, 0, 0), MAKELONG(IDOK, DC_HASDEFID));
        EndDialog(IDOK);
        return TRUE;
    }

private:
    static void AddColumn(HWND list, int index, int width) {
        LVCOLUMNW column{};
        column.mask = LVCF_WIDTH;
        column.cx = width;
        ::SendMessageW(list, LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column));
    }
    void ChangeDpi(UINT dpi, RECT suggested) {
        ::SendMessageW(m_hWnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                       reinterpret_cast<LPARAM>(&suggested));
    }
    // As the dialog manager does once the dialog procedure has left WM_DPICHANGED to it: the
    // control back to its template box (kiv.rc.in: 11, 17, 20, 20) in the font of the new DPI.
    // Wine keeps the dialog's font of 96 DPI, so its box is scaled, edge by edge. Then the
    // messages the dialog posted run.
    std::pair<RECT, RECT> RelayOutIcon(UINT dpi) {
        const HWND control = ::GetWindow(m_hWnd, GW_CHILD);
        RECT box{11, 17, 11 + 20, 17 + 20};
        ::MapDialogRect(m_hWnd, &box);
        for (LONG* edge : {&box.left, &box.top, &box.right, &box.bottom})
            *edge = ::MulDiv(*edge, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
        ::SetWindowPos(control, nullptr, box.left, box.top, box.right - box.left,
                       box.bottom - box.top, SWP_NOZORDER | SWP_NOACTIVATE);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
        RECT shown{};
        ::GetWindowRect(control, &shown);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&shown), 2);
        return {shown, box};
    }
    void Keep(HWND list) {
        State state{};
        ::GetWindowRect(m_hWnd, &state.window);
        for (int i = 0; list && i < 2; ++i)
            state.columns.push_back(
                static_cast<int>(::SendMessageW(list, LVM_GETCOLUMNWIDTH, i, 0)));
        state.bigIcon =
            IconWidth(reinterpret_cast<HICON>(::SendMessageW(m_hWnd, WM_GETICON, ICON_BIG, 0)));
        state.smallIcon =
            IconWidth(reinterpret_cast<HICON>(::SendMessageW(m_hWnd, WM_GETICON, ICON_SMALL, 0)));
        // The About box's first control is its icon.
        const HWND control = ::GetWindow(m_hWnd, GW_CHILD);
        state.controlIcon =
            control ? IconWidth(reinterpret_cast<HICON>(::SendMessageW(control, STM_GETICON, 0, 0)))
                    : 0;
        m_states.push_back(state);
    }
};

void ExpectRect(const RECT& r, LONG left, LONG top, LONG right, LONG bottom) {
    EXPECT_EQ(r.left, left);
    EXPECT_EQ(r.top, top);
    EXPECT_EQ(r.right, right);
    EXPECT_EQ(r.bottom, bottom);
}

}  // namespace

TEST(DpiChangeTest, ListColumnsKeepTheirProportionAndIconsFollowTheDpi) {
    DpiChangeDialog dialog(IDD_LIST);
    ASSERT_EQ(dialog.DoModal(), IDOK);
    ASSERT_EQ(dialog.m_startDpi, 96u) << "the test's Wine prefix runs at 96 DPI";
    ASSERT_EQ(dialog.m_states.size(), 3u);
    const State& at96 = dialog.m_states[0];
    const State& at192 = dialog.m_states[1];
    const State& back = dialog.m_states[2];
    EXPECT_EQ(at96.columns, (std::vector<int>{201, 110}));
    EXPECT_EQ(at192.columns, (std::vector<int>{402, 220}));
    EXPECT_EQ(back.columns, (std::vector<int>{201, 110}));
    ExpectRect(at192.window, 100, 50, 700, 550);
    ExpectRect(back.window, 110, 60, 410, 310);
    EXPECT_EQ(at96.bigIcon, 32);
    EXPECT_EQ(at96.smallIcon, 16);
    EXPECT_EQ(at192.bigIcon, 64);
    EXPECT_EQ(at192.smallIcon, 32);
    EXPECT_EQ(back.bigIcon, 32);
    EXPECT_EQ(back.smallIcon, 16);
}

TEST(DpiChangeTest, TheAboutBoxIconControlFollowsTheDpi) {
    DpiChangeDialog dialog(IDD_ABOUTBOX);
    ASSERT_EQ(dialog.DoModal(), IDOK);
    ASSERT_EQ(dialog.m_states.size(), 3u);
    EXPECT_EQ(dialog.m_states[0].controlIcon, 32);
    EXPECT_EQ(dialog.m_states[1].controlIcon, 64);
    EXPECT_EQ(dialog.m_states[2].controlIcon, 32);
}

TEST(DpiChangeTest, TheAboutBoxIconControlKeepsTheIconsSizeAfterTheRelayout) {
    DpiChangeDialog dialog(IDD_ABOUTBOX);
    dialog.m_relayoutDpis = {192, 144, 96};
    ASSERT_EQ(dialog.DoModal(), IDOK);
    ASSERT_EQ(dialog.m_icon.size(), 3u);
    const LONG sizes[] = {64, 48, 32};  // the icon drawn for each DPI
    for (size_t i = 0; i < 3; ++i) {
        const auto& [shown, box] = dialog.m_icon[i];
        const LONG size = sizes[i];
        SCOPED_TRACE(dialog.m_relayoutDpis[i]);
        EXPECT_LT(box.right - box.left, size) << "the template box is narrower than the icon";
        ExpectRect(shown, box.left, box.top, box.left + size, box.top + size);
    }
}
