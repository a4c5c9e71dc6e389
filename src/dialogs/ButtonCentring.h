// Centring of a two-button bottom panel: "OK" ends 16 pixels left of the
// middle, "Отмена" starts 16 pixels right of it.
#pragma once

struct CentredButtons {
    int ok;
    int cancel;
};

constexpr CentredButtons CentredButtonLefts(int panelWidth, int okWidth) {
    const int half = panelWidth / 2;
    return {half - okWidth - 16, half + 16};
}
