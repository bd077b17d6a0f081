#pragma once

#include <windows.h>

#include <utility>

namespace velmora::ui {

// A kernel handle (process, thread) that closes itself.
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE handle) noexcept : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        std::swap(handle_, other.handle_);
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() {
        if (handle_ != nullptr)
            CloseHandle(handle_);
    }

    HANDLE get() const noexcept { return handle_; }

  private:
    HANDLE handle_ = nullptr;
};

} // namespace velmora::ui
