#pragma once

namespace velmora {

// Form1's geometry is kept in twips (1/1440 inch), so one table serves every DPI.
inline constexpr int TwipsPerInch = 1440;
inline constexpr int DefaultDpi = 96; // 15 twips to the pixel

struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
};

struct PixelRect {
    int left;
    int top;
    int width;
    int height;
    friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Rounds half away from zero, as MulDiv does, so a half pixel at 144 DPI
// (3525 twips = 352.5 px) becomes 353 px.
constexpr int TwipsToPixels(int twips, int dpi) {
    const long long scaled = static_cast<long long>(twips) * dpi;
    const long long half = TwipsPerInch / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / TwipsPerInch
                                        : (scaled - half) / TwipsPerInch);
}

constexpr PixelRect TwipsToPixels(const TwipsRect& rect, int dpi) {
    return {TwipsToPixels(rect.left, dpi), TwipsToPixels(rect.top, dpi),
            TwipsToPixels(rect.width, dpi), TwipsToPixels(rect.height, dpi)};
}

// Form1's client area.
inline constexpr int ClientWidthTwips = 3525;
inline constexpr int ClientHeightTwips = 5100;

static_assert(TwipsToPixels(ClientWidthTwips, DefaultDpi) == 235);
static_assert(TwipsToPixels(ClientHeightTwips, DefaultDpi) == 340);
static_assert(TwipsToPixels(ClientWidthTwips, 144) == 353);

} // namespace velmora
