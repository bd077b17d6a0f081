#include "fonts.h"

#include "system_error.h"

namespace velmora {
namespace {

constexpr wchar_t ClassicFace[] = L"MS Sans Serif";
constexpr wchar_t SubstituteFace[] = L"Microsoft Sans Serif";

int CALLBACK NoteFontFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0; // one match is enough
}

bool IsFontInstalled(const wchar_t* face) {
    const UniqueScreenContext screen(GetDC(nullptr));
    if (!screen)
        return false;
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(wanted.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    EnumFontFamiliesExW(screen.get(), &wanted, NoteFontFound, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

UniqueFont MakeFont(const LOGFONTW& font) {
    UniqueFont created(CreateFontIndirectW(&font));
    if (!created)
        ThrowLastError(CreateFontsFailed);
    return created;
}

// Sizes in hundredths of a point, so that 9.75 pt stays exact.
UniqueFont CreateBoldFont(int hundredthsOfPoint, UINT dpi) {
    LOGFONTW font{};
    font.lfHeight = -MulDiv(hundredthsOfPoint, static_cast<int>(dpi), 72 * 100);
    font.lfWeight = FW_BOLD;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_DEFAULT_PRECIS;
    font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    font.lfQuality = DEFAULT_QUALITY;
    // Where neither face exists, this steers the font mapper to a proportional sans serif.
    font.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    static const bool classicInstalled = IsFontInstalled(ClassicFace);
    lstrcpynW(font.lfFaceName, BoldFontFace(dpi, classicInstalled), LF_FACESIZE);
    return MakeFont(font);
}

// The face of the system's message font (Segoe UI on Windows 7 to 11) at the
// 9 pt it has by default. The layout is fixed, so a larger text size chosen by
// the user would be clipped in "Clear" and in the fields: only the DPI scales it.
UniqueFont CreateDefaultFont(UINT dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, metrics.cbSize, &metrics, 0))
        ThrowLastError(ReadMessageFontFailed);
    metrics.lfMessageFont.lfHeight = -MulDiv(9, static_cast<int>(dpi), 72);
    metrics.lfMessageFont.lfWidth = 0;
    return MakeFont(metrics.lfMessageFont);
}

} // namespace

const wchar_t* BoldFontFace(UINT dpi, bool classicInstalled) {
    return dpi == USER_DEFAULT_SCREEN_DPI && classicInstalled ? ClassicFace : SubstituteFace;
}

Form1Fonts::Form1Fonts(UINT dpi)
    : default_(CreateDefaultFont(dpi)), emphasis_(CreateBoldFont(975, dpi)),
      title_(CreateBoldFont(1200, dpi)) {}

HFONT Form1Fonts::For(FontRole role) const noexcept {
    switch (role) {
    case FontRole::Emphasis:
        return emphasis_.get();
    case FontRole::Title:
        return title_.get();
    case FontRole::Default:
        break;
    }
    return default_.get();
}

} // namespace velmora
