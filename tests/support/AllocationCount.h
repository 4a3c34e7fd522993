#pragma once

#include <cstddef>

namespace tovra::test {

// The allocations through operator new on this thread since the count began.
class AllocationCount {
  public:
    AllocationCount();
    std::size_t count() const;

  private:
    std::size_t start_;
};

}  // namespace tovra::test
