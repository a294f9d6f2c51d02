#pragma once

#include <windows.h>

#include <string>

namespace drive {

struct IconMatch {
    std::string kind;        // "none", "hand", "question", "exclamation", "asterisk", "application"
    long long distance = 0;  // summed colour difference to that icon; 0 is a perfect match
};

// Which standard icon an icon control shows, judged by its pixels on the screen: each standard
// icon is drawn on the control's background and the closest one wins.
IconMatch ClassifyIcon(HWND iconControl);
// How far what an icon control shows is from icon id of the program at path, loaded at the
// control's size: 0 once the control shows that very image.
long long IconDistance(HWND iconControl, const std::wstring& path, int id);

}  // namespace drive
