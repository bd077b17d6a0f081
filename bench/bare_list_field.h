#pragma once

#include "fonts.h"
#include "unique_handle.h"

#include <windows.h>

#include <string>

namespace velmora::bench {

// The floor of a Refresh: an EDIT control made exactly like Text4 (class,
// styles, size, font, no text limit) in an otherwise empty window, with no
// program around it.
class BareListField {
  public:
    explicit BareListField(HINSTANCE instance);

    // Empties the field, then times one WM_SETTEXT of text until it is painted.
    double TimeSetText(const std::wstring& text);
    std::size_t TextLength() const;
    // Moves the field's window to the right of other's. Where the two overlap,
    // a paint under Wine takes up to half as long again, at random.
    void StandBeside(HWND other);

  private:
    UINT dpi_;
    Form1Fonts fonts_;
    UniqueWindow parent_;
    HWND field_ = nullptr; // a child of parent_, destroyed with it
};

} // namespace velmora::bench
