#include "support/AllocationCount.h"

#include <cstdlib>
#include <new>

namespace {
thread_local std::size_t allocationsOnThisThread = 0;
}

// The test program's own allocator: malloc, counted.
void* operator new(std::size_t size) {
    ++allocationsOnThisThread;
    if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept {
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}

namespace tovra::test {

AllocationCount::AllocationCount() : start_(allocationsOnThisThread) {}

std::size_t AllocationCount::count() const {
    return allocationsOnThisThread - start_;
}

}  // namespace tovra::test
