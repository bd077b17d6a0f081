#pragma once

#include "form1_controls.h"
#include "unique_handle.h"

#include <windows.h>

namespace velmora {

// The face of Form1's fonts: "MS Sans Serif", or "Microsoft Sans Serif" (its
// TrueType successor) where the system has no "MS Sans Serif".
const wchar_t* Form1FontFace();

// Form1's three fonts at one DPI: the window's default font (the system's
// message font), and "MS Sans Serif" bold at 9.75 pt and at 12 pt.
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
