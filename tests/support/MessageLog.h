#pragma once

#include <utility>
#include <vector>

#include "platform/runtime/AfxMessageBox.h"
#include "platform/runtime/CString.h"

// While it lives, the texts AfxMessageBox is asked to show go into texts instead of a window;
// the handler that was set before comes back at its end.
class MessageLog {
public:
    explicit MessageLog(std::vector<CString>& texts)
        : m_previous(
              SetAfxMessageBoxHandler([&texts](const CString& text) { texts.push_back(text); })) {}
    ~MessageLog() { SetAfxMessageBoxHandler(std::move(m_previous)); }
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

private:
    MessageBoxHandler m_previous;
};
