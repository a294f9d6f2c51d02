#pragma once

#include <windows.h>

#include "platform/runtime/CString.h"

// The program's message boxes. Texts and captions are Shift-JIS; they are shown through the
// wide functions, so they read right whatever the system's code page.

// A modal message box owned by owner (none when null).
int ShowMessageBox(HWND owner, const CString& text, const CString& caption, UINT type);

// Routes AfxMessageBox to a box with one OK button and the exclamation icon, captioned with
// AppName(), owned by the main window's last active popup once the main window exists and by
// the active window before that.
void InstallAfxMessageBoxHandler();
