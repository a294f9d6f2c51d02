#include "cli/Console.h"

#include "platform/os/Encoding.h"

std::string ToUtf8(const CString& text) {
    return kiv::InCodePage(text, CodePage::Utf8).Str();
}
