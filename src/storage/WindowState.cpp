#include "storage/WindowState.h"

#include <algorithm>

TDesktopRect DesktopRect(const std::vector<TDesktopRect>& monitors) {
    if (monitors.empty()) return {};
    TDesktopRect r = monitors.front();
    for (const TDesktopRect& m : monitors) {
        r.Left = std::min(r.Left, m.Left);
        r.Top = std::min(r.Top, m.Top);
        r.Right = std::max(r.Right, m.Right);
        r.Bottom = std::max(r.Bottom, m.Bottom);
    }
    return r;
}

void ClampToDesktop(TFormBounds& bounds, const TDesktopRect& desktop) {
    // Only the corner is tested: a window may reach past the right or bottom edge.
    if (bounds.Left < desktop.Left || bounds.Left >= desktop.Right) bounds.Left = 0;
    if (bounds.Top < desktop.Top || bounds.Top >= desktop.Bottom) bounds.Top = 0;
}
