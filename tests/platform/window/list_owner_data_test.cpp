// An owner-data list on the program's list dialog template gets what Windows' own list view and
// accessibility clients send: searches with every flag set LVFINDINFO defines, and requests for
// texts that it may read after two more requests.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/window/CDialog.h"
#include "platform/window/CListCtrl.h"
#include "resources/resource.h"

namespace {

// The rows as the list shows them.
const std::vector<std::string> kRows = {"Delta", "gamma ray", "Gamma", "beta", "Alpha"};

// Runs the steps inside its OnInitDialog, where the modal dialog lets the test at it.
class RowsDialog : public CDialog, private CListCtrl::Rows {
public:
    explicit RowsDialog(std::function<void(RowsDialog&)> steps)
        : CDialog(IDD_LIST), m_steps(std::move(steps)) {
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_LISTVIEW_CLASSES};
        ::InitCommonControlsEx(&controls);
    }

    // LVM_FINDITEMW to the list view, which passes it on to its owner unchanged.
    int Find(UINT flags, const wchar_t* text, int start = -1) const {
        LVFINDINFOW info{};
        info.flags = flags;
        info.psz = text;
        return static_cast<int>(
            m_list.SendMessage(LVM_FINDITEMW, start, reinterpret_cast<LPARAM>(&info)));
    }
    // LVN_ODFINDITEMW as Windows' list view sends it, starting at start.
    int Notify(UINT flags, const wchar_t* text, int start) const {
        NMLVFINDITEMW request{};
        request.hdr = {m_list.m_hWnd, IDC_LIST, LVN_ODFINDITEMW};
        request.iStart = start;
        request.lvfi.flags = flags;
        request.lvfi.psz = text;
        return static_cast<int>(
            SendMessage(WM_NOTIFY, IDC_LIST, reinterpret_cast<LPARAM>(&request)));
    }
    // LVN_GETDISPINFOW for a cell's text, with the control's buffer; the answer's text pointer.
    const wchar_t* RequestText(int item, int subItem, wchar_t* buffer, int size) const {
        NMLVDISPINFOW request{};
        request.hdr = {m_list.m_hWnd, IDC_LIST, LVN_GETDISPINFOW};
        request.item.mask = LVIF_TEXT;
        request.item.iItem = item;
        request.item.iSubItem = subItem;
        request.item.pszText = buffer;
        request.item.cchTextMax = size;
        SendMessage(WM_NOTIFY, IDC_LIST, reinterpret_cast<LPARAM>(&request));
        return request.item.pszText;
    }

    CListCtrl m_list;

protected:
    void DoDataExchange(CDataExchange& dx) override { DDX_Control(dx, IDC_LIST, m_list); }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        m_list.InsertColumn(0, "name", 170);
        m_list.InsertColumn(1, "power", 110);
        m_list.SetRows(*this);
        m_steps(*this);
        EndDialog(IDOK);
        return TRUE;
    }
    bool OnNotify(NMHDR& notification, LRESULT& result) override {
        return m_list.OnNotify(notification, result);
    }

private:
    int GetCount() const override { return static_cast<int>(kRows.size()); }
    CString GetText(int item, int column) const override {
        return column ? CString(std::to_string(item)) : CString(kRows[item], CodePage::Utf8);
    }

    std::function<void(RowsDialog&)> m_steps;
};

void RunInDialog(std::function<void(RowsDialog&)> steps) {
    RowsDialog dialog(std::move(steps));
    ASSERT_EQ(dialog.DoModal(), IDOK);
}

}  // namespace

TEST(ListOwnerDataTest, FindsWithEveryFlagSetWindowsSends) {
    RunInDialog([](RowsDialog& d) {
        // Windows' type-ahead since Vista, and without LVFI_STRING: the start of a name.
        EXPECT_EQ(d.Find(LVFI_STRING | LVFI_SUBSTRING | LVFI_WRAP, L"gam"), 1);
        EXPECT_EQ(d.Find(LVFI_SUBSTRING | LVFI_WRAP, L"GAM"), 1);
        EXPECT_EQ(d.Find(LVFI_PARTIAL | LVFI_WRAP, L"gAm"), 1);
        // LVFI_WRAP alone and LVFI_STRING alone: a whole name.
        EXPECT_EQ(d.Find(LVFI_WRAP, L"gamma"), 2);
        EXPECT_EQ(d.Find(LVFI_STRING, L"GAMMA RAY"), 1);
        EXPECT_EQ(d.Find(LVFI_STRING, L"gam"), -1);
        // A start typed in full is the whole name.
        EXPECT_EQ(d.Find(LVFI_STRING | LVFI_SUBSTRING | LVFI_WRAP, L"Beta"), 3);
        // Owner data holds no item data nor positions, and a search needs a text.
        EXPECT_EQ(d.Find(LVFI_PARAM, L"Delta"), -1);
        EXPECT_EQ(d.Find(LVFI_NEARESTXY, L"Delta"), -1);
        EXPECT_EQ(d.Find(LVFI_STRING | LVFI_PARAM, L"Delta"), -1);
        EXPECT_EQ(d.Find(LVFI_PARTIAL | LVFI_WRAP | LVFI_NEARESTXY, L"Delta"), -1);
        EXPECT_EQ(d.Find(LVFI_STRING, nullptr), -1);
    });
}

TEST(ListOwnerDataTest, TypingWrapsPastTheLastRowOnlyWithLvfiWrap) {
    RunInDialog([](RowsDialog& d) {
        // The search begins at iStart: the focused row's successor when the user types again.
        EXPECT_EQ(d.Notify(LVFI_STRING | LVFI_SUBSTRING | LVFI_WRAP, L"gam", 2), 2);
        EXPECT_EQ(d.Notify(LVFI_STRING | LVFI_SUBSTRING | LVFI_WRAP, L"gam", 3), 1);
        EXPECT_EQ(d.Notify(LVFI_PARTIAL | LVFI_WRAP, L"del", 4), 0);
        EXPECT_EQ(d.Notify(LVFI_STRING | LVFI_SUBSTRING | LVFI_WRAP, L"Gamma", 2), 2);
        // The focused row is the only match: the search from its successor comes back to it.
        EXPECT_EQ(d.Notify(LVFI_STRING | LVFI_SUBSTRING | LVFI_WRAP, L"be", 4), 3);
        EXPECT_EQ(d.Notify(LVFI_STRING | LVFI_SUBSTRING, L"gam", 3), -1);
        EXPECT_EQ(d.Notify(LVFI_PARTIAL, L"alp", 4), 4);
        // Past the rows: from the first only with LVFI_WRAP.
        EXPECT_EQ(d.Notify(LVFI_PARTIAL | LVFI_WRAP, L"del", 5), 0);
        EXPECT_EQ(d.Notify(LVFI_PARTIAL, L"del", 5), -1);
        // The user types "g" on the fourth row: Wine's list view asks from the fifth and selects.
        LVITEMW focus{};
        focus.stateMask = focus.state = LVIS_FOCUSED | LVIS_SELECTED;
        d.m_list.SendMessage(LVM_SETITEMSTATE, 3, reinterpret_cast<LPARAM>(&focus));
        d.m_list.SendMessage(WM_CHAR, L'g', 1);  // one key, no repeat
        EXPECT_EQ(d.m_list.SendMessage(LVM_GETNEXTITEM, -1, LVNI_FOCUSED), 1);
    });
}

TEST(ListOwnerDataTest, AnAnswerStaysValidForTwoMoreRequests) {
    RunInDialog([](RowsDialog& d) {
        wchar_t buffers[3][4]{};  // shorter than a name, as a caller's buffer may be
        const wchar_t* first = d.RequestText(0, 0, buffers[0], 4);
        const wchar_t* second = d.RequestText(1, 0, buffers[1], 4);
        const wchar_t* third = d.RequestText(2, 0, buffers[2], 4);
        EXPECT_EQ(std::wstring(first), L"Delta");
        EXPECT_EQ(std::wstring(second), L"gamma ray");
        EXPECT_EQ(std::wstring(third), L"Gamma");
        EXPECT_EQ(std::wstring(d.RequestText(4, 1, buffers[0], 4)), L"4");
    });
}
