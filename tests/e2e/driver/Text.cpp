#include "Text.h"

#include <windows.h>

#include <cstdio>

namespace drive {

std::wstring Wide(std::string_view utf8) {
    if (utf8.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring wide(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), wide.data(), n);
    return wide;
}

std::string Utf8(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string utf8(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), int(wide.size()), utf8.data(), n, nullptr,
                        nullptr);
    return utf8;
}

std::string JsonString(std::string_view utf8) {
    std::string out = "\"";
    for (const char c : utf8) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(c));
                    out += escaped;
                } else {
                    out += c;
                }
        }
    }
    return out + "\"";
}

void JsonObject::Key(std::string_view key) {
    if (m_text.size() > 1) m_text += ",";
    m_text += JsonString(key) + ":";
}

JsonObject& JsonObject::Add(std::string_view key, std::string_view utf8) {
    Key(key);
    m_text += JsonString(utf8);
    return *this;
}

JsonObject& JsonObject::Add(std::string_view key, long long number) {
    Key(key);
    m_text += std::to_string(number);
    return *this;
}

JsonObject& JsonObject::Add(std::string_view key, bool flag) {
    Key(key);
    m_text += flag ? "true" : "false";
    return *this;
}

JsonObject& JsonObject::AddRaw(std::string_view key, std::string_view json) {
    Key(key);
    m_text += json;
    return *this;
}

JsonArray& JsonArray::AddRaw(std::string_view json) {
    if (m_text.size() > 1) m_text += ",";
    m_text += json;
    return *this;
}

JsonArray& JsonArray::Add(std::string_view utf8) {
    return AddRaw(JsonString(utf8));
}

}  // namespace drive
