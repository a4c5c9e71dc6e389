// A window's outer bounds in screen pixels, as the settings keep them.
#pragma once

struct TFormBounds {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};
