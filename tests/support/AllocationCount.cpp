#include "support/AllocationCount.h"

#include <cstdlib>
#include <new>

namespace {
thread_local std::size_t allocationsOnThisThread = 0;
}

// The test program's own allocator: malloc, counted. Every form of new and
// delete is replaced, so that none pairs with a sanitizer's own.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    ++allocationsOnThisThread;
    return std::malloc(size == 0 ? 1 : size);
}

void* operator new(std::size_t size) {
    if (void* memory = operator new(size, std::nothrow)) return memory;
    throw std::bad_alloc();
}

void* operator new[](std::size_t size) {
    return operator new(size);
}

void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return operator new(size, std::nothrow);
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

void operator delete(void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}

void operator delete[](void* memory) noexcept {
    std::free(memory);
}

void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}

void operator delete[](void* memory, const std::nothrow_t&) noexcept {
    std::free(memory);
}

namespace tovra::test {

AllocationCount::AllocationCount() : start_(allocationsOnThisThread) {}

std::size_t AllocationCount::count() const {
    return allocationsOnThisThread - start_;
}

}  // namespace tovra::test
