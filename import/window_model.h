#pragma once

#include <string>

namespace velmora {

// What the window shows, held as plain values so the commands run without a window.
// Text4 is the entry list; Text1 to Text3 are working fields for the current group.
struct WindowModel {
    std::wstring Text1;
    std::wstring Text2;
    std::wstring Text3;
    std::wstring Text4;
    bool Option1 = false; // "Multiply By 16"
};

} // namespace velmora
