#pragma once

#include "control_definition.h"
#include "unique_handle.h"

#include <windows.h>

namespace velmora {

// The face of Form1's bold fonts. "MS Sans Serif" is a bitmap font drawn for
// 96 DPI, blocky and the wrong size at any other; there, and where the system
// lacks it, its TrueType successor "Microsoft Sans Serif" takes its place.
const wchar_t* BoldFontFace(UINT dpi, bool classicInstalled);

// Form1's three fonts at one DPI: the window's default font (the face of the
// system's message font at 9 pt), and the bold face at 9.75 pt and at 12 pt.
class Form1Fonts {
  public:
    // Throws platform::SystemError when a font cannot be created.
    explicit Form1Fonts(UINT dpi);

    HFONT For(FontRole role) const noexcept;

  private:
    UniqueFont default_;
    UniqueFont emphasis_;
    UniqueFont title_;
};

} // namespace velmora
