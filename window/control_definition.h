#pragma once

#include "control_ids.h"
#include "twips.h"

#include <windows.h>

namespace velmora {

enum class FontRole {
    Default,  // the window's default font
    Emphasis, // "MS Sans Serif" 9.75 pt bold
    Title,    // "MS Sans Serif" 12 pt bold
};

// One control of Form1, as its table (form1_controls.h) lists it.
struct ControlDefinition {
    ControlId id;
    const wchar_t* windowClass;
    const wchar_t* caption;
    DWORD style; // besides WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, which every control has
    DWORD extendedStyle;
    TwipsRect rect;
    int tabIndex; // only controls with WS_TABSTOP take part in the tab order
    FontRole font;
    // What a screen reader announces for a control that takes the focus.
    // Windows would name a field after the label before it in the stacking
    // order, but here the labels lie beneath everything.
    const wchar_t* accessibleName;
};

} // namespace velmora
