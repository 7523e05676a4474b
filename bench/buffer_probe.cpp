// SPDX-License-Identifier: MIT
// BufferProbe and the operator new and delete that follow the blocks a file read allocates.
#include "bench/buffer_probe.h"

#include <cstdlib>
#include <new>

namespace {

// Small blocks of a read (the path converted for the system) are not file buffers.
constexpr std::size_t kSmallestBuffer = 1024;
constexpr std::size_t kSlots = 64;

bool g_inRead = false;
void* g_alive[kSlots] = {};
std::size_t g_aliveCount = 0;
std::size_t g_mostAlive = 0;
std::size_t g_largest = 0;

void* Allocate(std::size_t size) {
    void* block = std::malloc(size == 0 ? 1 : size);
    if (block == nullptr) throw std::bad_alloc();
    if (g_inRead && size >= kSmallestBuffer) {
        for (void*& slot : g_alive) {
            if (slot != nullptr) continue;
            slot = block;
            ++g_aliveCount;
            if (g_aliveCount > g_mostAlive) g_mostAlive = g_aliveCount;
            if (size > g_largest) g_largest = size;
            break;
        }
    }
    return block;
}

void Release(void* block) {
    if (block == nullptr) return;
    if (g_aliveCount > 0) {
        for (void*& slot : g_alive) {
            if (slot != block) continue;
            slot = nullptr;
            --g_aliveCount;
            break;
        }
    }
    std::free(block);
}

}  // namespace

void* operator new(std::size_t size) {
    return Allocate(size);
}
void* operator new[](std::size_t size) {
    return Allocate(size);
}
void operator delete(void* block) noexcept {
    Release(block);
}
void operator delete[](void* block) noexcept {
    Release(block);
}
void operator delete(void* block, std::size_t) noexcept {
    Release(block);
}
void operator delete[](void* block, std::size_t) noexcept {
    Release(block);
}

namespace korvexer::bench {

std::size_t BufferProbe::MostAlive() {
    return g_mostAlive;
}

std::size_t BufferProbe::LargestBytes() {
    return g_largest;
}

Expected<FileContent> BufferProbe::Read(const std::string& path, std::size_t limit) {
    g_inRead = true;
    Expected<FileContent> content = inner().Read(path, limit);
    g_inRead = false;
    return content;
}

}  // namespace korvexer::bench
