#include "IconKind.h"

#include "Screen.h"

#include <cstdint>
#include <map>
#include <stdexcept>
#include <vector>

namespace drive {

namespace {

// The colour that occurs most often along the edge: the background around a shaped icon.
std::uint32_t EdgeColour(const Canvas& canvas, int width, int height) {
    std::map<std::uint32_t, int> counts;
    for (int x = 0; x < width; ++x) {
        ++counts[canvas.Pixel(x, 0)];
        ++counts[canvas.Pixel(x, height - 1)];
    }
    for (int y = 0; y < height; ++y) {
        ++counts[canvas.Pixel(0, y)];
        ++counts[canvas.Pixel(width - 1, y)];
    }
    std::uint32_t best = 0;
    int bestCount = -1;
    for (const auto& [colour, count] : counts) {
        if (count > bestCount) best = colour, bestCount = count;
    }
    return best;
}

IconMatch MatchOnce(HWND iconControl) {
    RECT rect{};
    GetWindowRect(iconControl, &rect);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) throw std::runtime_error("the icon control has no size");

    Canvas shown(width, height);
    shown.CopyFromScreen(rect.left, rect.top);
    const std::uint32_t background = EdgeColour(shown, width, height);

    static const struct {
        const char* kind;
        LPCWSTR id;
    } candidates[] = {{"hand", IDI_HAND},
                      {"question", IDI_QUESTION},
                      {"exclamation", IDI_EXCLAMATION},
                      {"asterisk", IDI_ASTERISK},
                      {"application", IDI_APPLICATION}};
    // An icon control without an icon shows only its background.
    Canvas empty(width, height);
    empty.Fill(background);
    IconMatch best{"none", shown.Distance(empty)};
    for (const auto& candidate : candidates) {
        Canvas drawn(width, height);
        drawn.Fill(background);
        DrawIconEx(drawn.Dc(), 0, 0, LoadIconW(nullptr, candidate.id), 0, 0, 0, nullptr, DI_NORMAL);
        const long long distance = shown.Distance(drawn);
        if (best.distance < 0 || distance < best.distance) best = {candidate.kind, distance};
    }
    return best;
}

}  // namespace

IconMatch ClassifyIcon(HWND iconControl) {
    DWORD_PTR icon = 0;
    if (SendMessageTimeoutW(iconControl, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 1000, &icon) && !icon)
        return {"none", 0};
    // The control holds an icon, but a box that has just appeared may not be drawn yet: look
    // again until one of the icons matches exactly.
    const DWORD start = GetTickCount();
    IconMatch match = MatchOnce(iconControl);
    while ((match.kind == "none" || match.distance != 0) && GetTickCount() - start < 3000) {
        Sleep(20);
        match = MatchOnce(iconControl);
    }
    return match;
}

}  // namespace drive
