#pragma once

#include <string>

namespace velmora {

// What the window shows, held as plain values so the commands run without a window.
struct WindowModel {
    std::wstring Text1, Text2, Text3; // working fields for the current group
    std::wstring Text4;               // the entry list
    bool Option1 = false;             // "Multiply By 16"
};

} // namespace velmora
