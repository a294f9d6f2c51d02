#pragma once

#include <string>
#include <string_view>

// The driver talks UTF-8 on its standard streams and UTF-16 to Windows.
namespace drive {

std::wstring Wide(std::string_view utf8);
std::string Utf8(std::wstring_view wide);

}  // namespace drive
