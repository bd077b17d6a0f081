#pragma once

#include <windows.h>

#include <utility>

namespace velmora {

// Owns one Win32 handle and frees it exactly once. Move-only, so a handle can
// never be freed twice through a copy.
template <typename Handle, auto Free> class UniqueHandle {
  public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != nullptr; }

    // Gives up ownership without freeing, e.g. once Windows has destroyed the window.
    Handle release() noexcept { return std::exchange(handle_, nullptr); }

    void reset(Handle handle = nullptr) noexcept {
        if (handle_ != nullptr)
            Free(handle_);
        handle_ = handle;
    }

  private:
    Handle handle_ = nullptr;
};

inline void FreeFont(HFONT font) noexcept {
    DeleteObject(font);
}
inline void DestroyWindowHandle(HWND window) noexcept {
    DestroyWindow(window);
}
inline void ReleaseScreenContext(HDC context) noexcept {
    ReleaseDC(nullptr, context);
}

using UniqueFont = UniqueHandle<HFONT, &FreeFont>;
using UniqueWindow = UniqueHandle<HWND, &DestroyWindowHandle>;
// A device context of the whole screen, from GetDC(nullptr).
using UniqueScreenContext = UniqueHandle<HDC, &ReleaseScreenContext>;

} // namespace velmora
