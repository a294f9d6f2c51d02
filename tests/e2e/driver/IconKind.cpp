#include "IconKind.h"

#include "Screen.h"

#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <type_traits>
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

// Where the control is on the screen.
RECT ScreenRect(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    if (rect.right <= rect.left || rect.bottom <= rect.top)
        throw std::runtime_error("the icon control has no size");
    return rect;
}

// How far what the control shows, shown, is from icon drawn on background; no icon, the
// background alone.
long long DistanceTo(const Canvas& shown, int width, int height, std::uint32_t background,
                     HICON icon) {
    Canvas drawn(width, height);
    drawn.Fill(background);
    if (icon) DrawIconEx(drawn.Dc(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    return shown.Distance(drawn);
}

// A box that has just appeared may not be drawn yet: looks again until done says the look
// matches, for up to 3 s, and gives the last look.
template <class Look, class Done>
auto LookUntil(Look look, Done done) {
    const DWORD start = GetTickCount();
    auto seen = look();
    while (!done(seen) && GetTickCount() - start < 3000) {
        Sleep(20);
        seen = look();
    }
    return seen;
}

long long DistanceOnce(HWND iconControl, HICON icon) {
    const RECT rect = ScreenRect(iconControl);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    Canvas shown(width, height);
    shown.CopyFromScreen(rect.left, rect.top);
    return DistanceTo(shown, width, height, EdgeColour(shown, width, height), icon);
}

IconMatch MatchOnce(HWND iconControl) {
    const RECT rect = ScreenRect(iconControl);
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
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
    IconMatch best{"none", DistanceTo(shown, width, height, background, nullptr)};
    for (const auto& candidate : candidates) {
        const long long distance =
            DistanceTo(shown, width, height, background, LoadIconW(nullptr, candidate.id));
        if (best.distance < 0 || distance < best.distance) best = {candidate.kind, distance};
    }
    return best;
}

struct ModuleFreer {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
struct IconDestroyer {
    void operator()(HICON icon) const { DestroyIcon(icon); }
};

}  // namespace

long long IconDistance(HWND iconControl, const std::wstring& path, int id) {
    const std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleFreer> program(LoadLibraryExW(
        path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (!program) throw std::runtime_error("cannot open the program's resources");
    const RECT rect = ScreenRect(iconControl);
    const std::unique_ptr<std::remove_pointer_t<HICON>, IconDestroyer> icon(
        static_cast<HICON>(LoadImageW(program.get(), MAKEINTRESOURCEW(id), IMAGE_ICON,
                                      rect.right - rect.left, rect.bottom - rect.top, 0)));
    if (!icon) throw std::runtime_error("no icon " + std::to_string(id) + " in the program");
    return LookUntil([&] { return DistanceOnce(iconControl, icon.get()); },
                     [](long long distance) { return distance == 0; });
}

IconMatch ClassifyIcon(HWND iconControl) {
    DWORD_PTR icon = 0;
    if (SendMessageTimeoutW(iconControl, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG, 1000, &icon) && !icon)
        return {"none", 0};
    // The control holds an icon: one of the icons must match exactly.
    return LookUntil(
        [&] { return MatchOnce(iconControl); },
        [](const IconMatch& match) { return match.kind != "none" && match.distance == 0; });
}

}  // namespace drive
