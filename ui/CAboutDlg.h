#pragma once

#include "platform/window/CDialog.h"
#include "resources/resource.h"

// The About box: the program's name, version and notice. Its OK button ends it.
class CAboutDlg : public CDialog {
public:
    CAboutDlg() : CDialog(IDD_ABOUTBOX) {}
};
