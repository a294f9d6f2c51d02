// The Shift-JIS string operations on arbitrary bytes (lead bytes anywhere, also at the very end),
// against a model that walks the characters from the start.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/FuzzInput.h"
#include "platform/runtime/CString.h"

namespace {

// The byte index of every character start: a lead byte takes the byte after it, unless it is
// the last byte.
std::vector<size_t> CharacterStarts(const std::string& text) {
    std::vector<size_t> starts;
    for (size_t i = 0; i < text.size();) {
        starts.push_back(i);
        const bool lead = IsLeadByte(static_cast<unsigned char>(text[i]));
        i += lead && i + 1 < text.size() ? 2 : 1;
    }
    return starts;
}

std::string ModelMid(const std::string& text, long first, long count) {
    first = std::max(first, 0L);
    count = std::max(count, 0L);
    if (first >= static_cast<long>(text.size())) return "";
    return text.substr(static_cast<size_t>(first), static_cast<size_t>(count));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const auto first = input.Take<std::int32_t>();
    const auto count = input.Take<std::int32_t>();
    const auto subLength = input.Take<std::uint8_t>() % 8;
    const auto ch = input.Take<char>();
    const std::string rest = input.Rest();
    // The searched-for text comes off the end; Find takes a C string, so it stops at a NUL.
    std::string sub = rest.substr(rest.size() - std::min<size_t>(subLength, rest.size()));
    sub = sub.substr(0, sub.find('\0'));
    const std::string bytes = rest;
    const CString text{std::string_view(bytes)};

    if (text.Mid(first, count).Str() != ModelMid(bytes, first, count))
        FuzzFailure("Mid(first, count)");
    if (text.Mid(first).Str() != ModelMid(bytes, first, static_cast<long>(bytes.size())))
        FuzzFailure("Mid(first)");
    if (text.Left(count).Str() != ModelMid(bytes, 0, count)) FuzzFailure("Left");

    int expectedFind = -1, expectedReverse = -1;
    for (const size_t start : CharacterStarts(bytes)) {
        if (expectedFind < 0 && bytes.compare(start, sub.size(), sub) == 0 &&
            start + sub.size() <= bytes.size()) {
            expectedFind = static_cast<int>(start);
        }
        if (bytes[start] == ch && !IsLeadByte(static_cast<unsigned char>(ch))) {
            expectedReverse = static_cast<int>(start);
        }
    }
    if (bytes.empty() && sub.empty()) expectedFind = 0;
    if (text.Find(sub.c_str()) != expectedFind) FuzzFailure("Find");
    if (text.ReverseFind(ch) != expectedReverse) FuzzFailure("ReverseFind");
    return 0;
}
