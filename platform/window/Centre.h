#pragma once

// Where a window opens: pure arithmetic on screen rectangles, kept apart from the system's
// types so that it can be checked anywhere.
namespace kiv {

// A screen rectangle; right and bottom lie just outside it, as in the system's RECT.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

namespace detail {

// The start of a span of length size centred on [from, to), then moved into [low, high). A span
// longer than the whole range starts at low, so its start (a caption, a left edge) stays visible.
constexpr int CentreSpan(int size, int from, int to, int low, int high) {
    int start = from + (to - from - size) / 2;
    if (start + size > high) start = high - size;
    if (start < low) start = low;
    return start;
}

}  // namespace detail

// window, moved (never resized) so that it is centred on over and lies inside workArea.
constexpr Rect CentreWithin(const Rect& window, const Rect& over, const Rect& workArea) {
    const int left =
        detail::CentreSpan(window.Width(), over.left, over.right, workArea.left, workArea.right);
    const int top =
        detail::CentreSpan(window.Height(), over.top, over.bottom, workArea.top, workArea.bottom);
    return {left, top, left + window.Width(), top + window.Height()};
}

}  // namespace kiv
