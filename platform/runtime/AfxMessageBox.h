#pragma once

#include <functional>

#include "platform/runtime/CString.h"

// The application message box: one OK button with the exclamation icon, captioned with the
// program's name. What shows it is set once by the program (a window, or the console), and
// tests replace it to see the texts. The handler is one global without a lock: it is set and
// used from the program's one thread.
using MessageBoxHandler = std::function<void(const CString& text)>;

void AfxMessageBox(const CString& text);
// Returns the handler that was set before.
MessageBoxHandler SetAfxMessageBoxHandler(MessageBoxHandler handler);
