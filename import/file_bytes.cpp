#include "platform.h"

#include <algorithm>
#include <cstring>

namespace velmora::platform {

char* FileBytes::Reserve(std::size_t more) {
    if (room() < more) {
        const std::size_t capacity = std::max(size_ + more, capacity_ + capacity_ / 2);
        auto grown = std::make_unique_for_overwrite<char[]>(capacity);
        if (size_ != 0)
            std::memcpy(grown.get(), data_.get(), size_);
        data_ = std::move(grown);
        capacity_ = capacity;
    }
    return data_.get() + size_;
}

} // namespace velmora::platform
