#include "platform/os/Encoding.h"

namespace kiv {

CString Concat(const CString& left, const CString& right) {
    if (left.GetCodePage() == right.GetCodePage() || left.IsAscii() || right.IsAscii()) {
        return left + right;
    }
    return InCodePage(left, CodePage::Utf8) + InCodePage(right, CodePage::Utf8);
}

}  // namespace kiv
