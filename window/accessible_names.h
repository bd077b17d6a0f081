#pragma once

#include <windows.h>

namespace velmora {

// Gives the control the accessible name a screen reader announces: it answers
// WM_GETOBJECT with the system's own accessible object for the control, whose
// name is replaced. Nothing changes where oleacc.dll cannot be loaded. The
// thread needs COM (ComApartment) for a screen reader to reach the object.
void NameForScreenReaders(HWND control, const wchar_t* name);

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
