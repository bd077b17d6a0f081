#pragma once

#include "system_functions.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace velmora {

// Gives controls the names a screen reader announces. First by Direct
// Annotation, Windows' documented way: each control keeps its own accessible
// object, and UI Automation its own support of an Edit (the text by line and
// caret). Where annotation fails (Wine answers E_NOTIMPL), the control answers
// WM_GETOBJECT itself with the system's object under the given name. Nothing
// changes where oleacc.dll is absent. The thread needs COM (ComApartment).
class ScreenReaderNames {
  public:
    explicit ScreenReaderNames(const SystemFunctions& system) : system_(system) {}
    ScreenReaderNames(const ScreenReaderNames&) = delete;
    ScreenReaderNames& operator=(const ScreenReaderNames&) = delete;

    // Neither the control nor the name may outlive this.
    void Name(HWND control, const wchar_t* name);

    struct Named {
        const SystemFunctions* system;
        const wchar_t* name;
        bool annotated;
    };

  private:
    const SystemFunctions& system_;
    std::vector<std::unique_ptr<Named>> named_;
};

// COM on the window's thread, for as long as it lives.
class ComApartment {
  public:
    ComApartment();
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment();

  private:
    bool initialised_;
};

} // namespace velmora
