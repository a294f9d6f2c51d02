#pragma once

#include <string>
#include <string_view>

// The driver talks UTF-8 on its standard streams and UTF-16 to Windows.
namespace drive {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

// A JSON object written field by field, for one answer line.
class JsonObject {
public:
    JsonObject& Add(std::string_view key, std::string_view utf8);
    JsonObject& Add(std::string_view key, const std::wstring& wide) { return Add(key, Utf8(wide)); }
    JsonObject& Add(std::string_view key, const char* utf8) {
        return Add(key, std::string_view(utf8));
    }
    JsonObject& Add(std::string_view key, long long number);
    JsonObject& Add(std::string_view key, bool flag);
    // value is already JSON text (an object or an array).
    JsonObject& AddRaw(std::string_view key, std::string_view json);
    std::string Text() const { return m_text + "}"; }

private:
    void Key(std::string_view key);
    std::string m_text = "{";
};

// A JSON array of already-written JSON values.
class JsonArray {
public:
    JsonArray& AddRaw(std::string_view json);
    JsonArray& Add(std::string_view utf8);
    std::string Text() const { return m_text + "]"; }

private:
    std::string m_text = "[";
};

std::string JsonString(std::string_view utf8);

}  // namespace drive
