// Replaces the global operator new and delete of the program it is linked into
// (import_file and import_floor alike). Each block carries its size in front.
#include "warm_memory.h"

#include <array>
#include <cstdlib>
#include <new>
#include <utility>

namespace velmora::bench {
namespace {

constexpr std::size_t Header = 16; // keeps new's alignment
constexpr std::size_t Large = std::size_t{1} << 20;

// The program's memory is process-wide by nature; these two go with it.
bool keeping = false;
std::array<void*, 16> kept{};

std::size_t& SizeOf(void* block) {
    return *reinterpret_cast<std::size_t*>(static_cast<char*>(block) - Header);
}

void* Allocate(std::size_t size) {
    if (keeping && size >= Large) {
        for (void*& block : kept) {
            if (block != nullptr && SizeOf(block) == size)
                return std::exchange(block, nullptr);
        }
    }
    void* const raw = std::malloc(size + Header);
    if (raw == nullptr)
        throw std::bad_alloc();
    void* const block = static_cast<char*>(raw) + Header;
    SizeOf(block) = size;
    return block;
}

void Free(void* block) noexcept {
    if (block == nullptr)
        return;
    if (keeping && SizeOf(block) >= Large) {
        for (void*& slot : kept) {
            if (slot == nullptr) {
                slot = block;
                return;
            }
        }
    }
    std::free(static_cast<char*>(block) - Header);
}

} // namespace

void KeepFreedMemory() {
    keeping = true;
}

} // namespace velmora::bench

void* operator new(std::size_t size) {
    return velmora::bench::Allocate(size);
}
void* operator new[](std::size_t size) {
    return velmora::bench::Allocate(size);
}
void operator delete(void* block) noexcept {
    velmora::bench::Free(block);
}
void operator delete[](void* block) noexcept {
    velmora::bench::Free(block);
}
void operator delete(void* block, std::size_t) noexcept {
    velmora::bench::Free(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    velmora::bench::Free(block);
}
