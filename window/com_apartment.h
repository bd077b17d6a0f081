#pragma once

#include <objbase.h>

namespace velmora {

// COM on the window's thread, for as long as it lives: screen-reader names are
// given through oleacc's COM service.
class ComApartment {
  public:
    ComApartment() : initialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;
    ~ComApartment() {
        if (initialised_)
            CoUninitialize();
    }

  private:
    bool initialised_;
};

} // namespace velmora
