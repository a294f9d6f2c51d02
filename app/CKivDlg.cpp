#include "app/CKivDlg.h"

#include "app/DialogMeasureHost.h"
#include "measure/MeasurePower.h"
#include "platform/window/CMenu.h"
#include "platform/window/CPaintDC.h"
#include "platform/window/CWinApp.h"
#include "score/FindRank.h"
#include "ui/CAboutDlg.h"
#include "ui/CDlgList.h"

CKivDlg::CKivDlg(HWND parent) : CDialog(IDD_MAIN, parent) {}

void CKivDlg::MeasurePower() {
    DialogMeasureHost host(*this);
    ::MeasurePower(m_scores, host);
}

int CKivDlg::FindRank(double value) const {
    return ::FindRank(m_scores, value);
}

BOOL CKivDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (const CMenu sysMenu(GetSystemMenu()); sysMenu) {
        const CString about = AfxLoadString(IDS_ABOUTBOX);
        if (!about.IsEmpty()) {
            sysMenu.AppendSeparator();
            sysMenu.AppendItem(IDM_ABOUTBOX, about);
        }
        const CString list = AfxLoadString(IDS_SHOWLIST);
        if (!list.IsEmpty()) sysMenu.AppendItem(IDM_SHOWLIST, list);
    }
    SetWindowIcon(IDR_MAINFRAME);
    return TRUE;
}

bool CKivDlg::OnSysCommand(UINT id, LPARAM lParam) {
    if (id == IDM_ABOUTBOX) {
        CAboutDlg dlg;
        dlg.DoModal();
        return true;
    }
    if (id == IDM_SHOWLIST) {
        CDlgList dlg;
        dlg.DoModal();
        return true;
    }
    return CDialog::OnSysCommand(id, lParam);
}

bool CKivDlg::OnPaint() {
    if (!IsIconic()) return CDialog::OnPaint();
    CPaintDC dc(*this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC), 0);
    const int cxIcon = SystemMetricForDpi(SM_CXICON, GetDpi());
    const int cyIcon = SystemMetricForDpi(SM_CYICON, GetDpi());
    const RECT rect = GetClientRect();
    const int x = (rect.right - rect.left - cxIcon + 1) / 2;
    const int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
    ::DrawIconEx(dc.m_hDC, x, y, GetWindowIcon(), cxIcon, cyIcon, 0, nullptr, DI_NORMAL);
    return true;
}
