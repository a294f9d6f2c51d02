#include "platform/runtime/AfxMessageBox.h"

#include <cstdio>
#include <utility>

namespace {

MessageBoxHandler& CurrentHandler() {
    static MessageBoxHandler handler;
    return handler;
}

}  // namespace

void AfxMessageBox(const CString& text) {
    if (const MessageBoxHandler& handler = CurrentHandler()) {
        handler(text);
        return;
    }
    // No window system set up (command-line tools, tests): the console gets the text.
    std::fwrite(text.GetString(), 1, static_cast<size_t>(text.GetLength()), stderr);
    std::fputc('\n', stderr);
    std::fflush(stderr);
}

MessageBoxHandler SetAfxMessageBoxHandler(MessageBoxHandler handler) {
    return std::exchange(CurrentHandler(), std::move(handler));
}
