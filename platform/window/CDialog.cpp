#include "platform/window/CDialog.h"

#include <commctrl.h>

#include <cwchar>
#include <utility>

#include "platform/runtime/CInvalidArgException.h"
#include "platform/window/CListCtrl.h"
#include "platform/window/CWinApp.h"
#include "platform/window/WindowPlacement.h"

void DDX_Control(CDataExchange& dx, int id, CWnd& control) {
    control.m_hWnd = ::GetDlgItem(dx.m_pDlgWnd->m_hWnd, id);
    if (!control.m_hWnd) throw CInvalidArgException();
}

namespace {

bool HasClass(HWND window, const wchar_t* name) {
    wchar_t found[16] = {};
    ::GetClassNameW(window, found, 16);
    return _wcsicmp(found, name) == 0;
}

// The dialog's first static control that shows an icon (ICON in the template), or null.
HWND FindIconControl(HWND dialog) {
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        const auto style = static_cast<DWORD>(::GetWindowLongPtrW(child, GWL_STYLE));
        if ((style & SS_TYPEMASK) == SS_ICON && HasClass(child, L"Static")) return child;
    }
    return nullptr;
}

// Posted by a dialog to itself when its DPI changes. Windows' dialog manager lays the controls out
// again from the template after the dialog procedure has returned, which puts the icon control back
// to its box of dialog units, narrower than the icon; this runs after that, and STM_SETICON sizes
// the control to its icon where the pass placed it. The system's opt-out for the control
// (DCDC_DISABLE_RELAYOUT) would keep its size, but also its place of the old DPI.
constexpr UINT kReapplyIcons = WM_APP + 0x3FFE;

}  // namespace

CDialog::~CDialog() = default;

INT_PTR CDialog::DoModal() {
    HWND owner = m_hWndParent;
    if (!owner) {
        const CWinApp* app = AfxGetApp();
        if (app && app->m_pMainWnd && app->m_pMainWnd != this) owner = app->m_pMainWnd->m_hWnd;
    }
    const INT_PTR result =
        ::DialogBoxParamW(AfxGetInstanceHandle(), MAKEINTRESOURCEW(m_nIDTemplate), owner,
                          &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    m_hWnd = nullptr;
    if (m_error) std::rethrow_exception(std::exchange(m_error, nullptr));
    return result;
}

BOOL CDialog::OnInitDialog() {
    CDataExchange dx(*this);
    DoDataExchange(dx);
    return TRUE;
}

// A dialog procedure returns TRUE for a message it handled and FALSE to leave it to the default
// dialog handling. A handled message's own result goes into DWLP_MSGRESULT, except for
// WM_INITDIALOG and WM_QUERYDRAGICON, whose result is the return value itself. Messages that
// come before WM_INITDIALOG (WM_SETFONT) find no object yet and get the default handling.
INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, lParam);
        reinterpret_cast<CDialog*>(lParam)->m_hWnd = hWnd;
    }
    auto* dialog = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(hWnd, GWLP_USERDATA));
    if (!dialog) return FALSE;
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hWnd, GWLP_USERDATA, 0);
        return FALSE;
    }
    // No exception may unwind through the system's code: keep it, end the dialog, and let
    // DoModal throw it to the caller.
    try {
        return dialog->Dispatch(message, wParam, lParam);
    } catch (...) {
        if (!dialog->m_error) dialog->m_error = std::current_exception();
        ::EndDialog(hWnd, -1);
        return TRUE;
    }
}

INT_PTR CDialog::InitDialog() {
    m_dpi = WindowDpi(m_hWnd);
    // The templates give sizes only. A dialog opens centred on its owner, the main window in
    // its monitor's work area, unless OnInitDialog has placed it itself.
    RECT before{};
    ::GetWindowRect(m_hWnd, &before);
    const BOOL result = OnInitDialog();
    RECT after{};
    ::GetWindowRect(m_hWnd, &after);
    if (::EqualRect(&before, &after)) CentreWindow(m_hWnd);
    return result;
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    bool handled = false;
    LRESULT result = 0;
    switch (message) {
        case WM_INITDIALOG:
            return InitDialog();
        case WM_QUERYDRAGICON:
            return reinterpret_cast<INT_PTR>(OnQueryDragIcon());
        case WM_COMMAND:
            handled = OnCommand(LOWORD(wParam), HIWORD(wParam));
            break;
        case WM_SYSCOMMAND:
            handled = OnSysCommand(static_cast<UINT>(wParam), lParam);
            break;
        case WM_PAINT:
            handled = OnPaint();
            break;
        case WM_NOTIFY:
            handled = OnNotify(*reinterpret_cast<NMHDR*>(lParam), result);
            break;
        case WM_DPICHANGED:
            OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            // Unhandled: the dialog manager goes on to lay out the controls and fonts anew; the
            // icons are set again once it is done.
            ::PostMessageW(m_hWnd, kReapplyIcons, 0, 0);
            return FALSE;
        case kReapplyIcons:
            m_icons.Load(m_hWnd, m_dpi);
            return TRUE;
        default:
            return FALSE;
    }
    if (handled) ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
    return handled;
}

bool CDialog::OnCommand(WORD id, WORD code) {
    // A click, a menu item or a key: code 0 (BN_CLICKED) or 1 (accelerator).
    if (code > 1) return false;
    switch (id) {
        case IDOK:
            OnOK();
            return true;
        case IDCANCEL:
            OnCancel();
            return true;
        default:
            return false;
    }
}

void CDialog::SetWindowIcon(UINT id) {
    m_icons.SetWindowIcon(id);
    m_icons.Load(m_hWnd, m_dpi);
}

void CDialog::SetControlIcon(UINT id) {
    m_icons.SetControlIcon(FindIconControl(m_hWnd), id);
    m_icons.Load(m_hWnd, m_dpi);
}

void CDialog::OnDpiChanged(UINT dpi, const RECT& suggested) {
    ::SetWindowPos(m_hWnd, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    // Column widths are pixels, which the dialog manager leaves alone.
    for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!HasClass(child, WC_LISTVIEWW)) continue;
        CListCtrl list;
        list.m_hWnd = child;
        list.ScaleColumns(m_dpi, dpi);
    }
    m_dpi = dpi;
    m_icons.Load(m_hWnd, dpi);
}
