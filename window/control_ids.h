#pragma once

// Control IDs of Form1, shared with the end-to-end tests that drive the window.
namespace velmora {

inline constexpr wchar_t Form1ClassName[] = L"VelmoraForm1";

enum ControlId : int {
    IdCommand1 = 1001, // "Refresh"
    IdCommand2 = 1002, // covered: runs the import
    IdCommand3 = 1003, // "Uncheck"
    IdCommand4 = 1004, // "Clear"
    IdText1 = 1011,
    IdText2 = 1012,
    IdText3 = 1013,
    IdText4 = 1014,   // the entry list
    IdOption1 = 1021, // "Multiply By 16"
    IdLabel1 = 1031,  // the title
    IdLabel2 = 1032,  // the credit line
};

} // namespace velmora
