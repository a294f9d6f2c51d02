#pragma once

#include "app/resource.h"
#include "platform/win32/CDialog.h"

// The About box: the program's name, version and notice. Its OK button ends it.
class CAboutDlg : public CDialog {
public:
    CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
};
