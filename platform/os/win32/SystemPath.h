#pragma once

#include <string_view>

namespace kiv {

// The system's own form of a full path, which a rename through a handle takes (MoveFileExW makes
// the same): what goes before the path, and the part of the path that follows it.
// C:\dir\kiv.txt is \??\C:\dir\kiv.txt; \\?\C:\… and \\.\C:\… keep what follows their first
// four characters; \\server\share\… is \??\UNC\server\share\….
struct SystemPath {
    std::wstring_view prefix;
    std::wstring_view rest;
};

inline SystemPath SystemPathOf(std::wstring_view full) {
    if (full.starts_with(L"\\\\?\\") || full.starts_with(L"\\\\.\\")) {
        return {L"\\??\\", full.substr(4)};
    }
    if (full.starts_with(L"\\\\")) return {L"\\??\\UNC\\", full.substr(2)};
    return {L"\\??\\", full};
}

}  // namespace kiv
