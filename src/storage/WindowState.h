// The desktop rectangle over all monitors and the rule that brings a restored
// window's corner back onto it.
#pragma once

#include <vector>

#include "storage/TFormBounds.h"

// Screen pixels; Right and Bottom are exclusive.
struct TDesktopRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

// The smallest rectangle holding all monitors; all zeros without a monitor.
TDesktopRect DesktopRect(const std::vector<TDesktopRect>& monitors);
// Sets Left (Top) to 0 when it lies outside the desktop's horizontal (vertical)
// range; the size is never changed.
void ClampToDesktop(TFormBounds& bounds, const TDesktopRect& desktop);
