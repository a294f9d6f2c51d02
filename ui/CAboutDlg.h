#pragma once

#include "platform/window/CDialog.h"
#include "resources/resource.h"

// The About box: the program's icon, name, version and notice. Its OK button ends it.
class CAboutDlg : public CDialog {
public:
    CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

protected:
    // The icon at the size of the box's DPI, not the system's default size.
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        SetControlIcon(IDR_ABOUTICON);
        return TRUE;
    }
};
