#include "demo-gen/JobPool.h"

#include <atomic>
#include <exception>
#include <mutex>
#include <thread>

namespace tovra::demo {

void JobPool::run(int threads, const std::function<void(const std::string&)>& done) {
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    std::exception_ptr failure;
    std::mutex failureLock;
    const auto worker = [&] {
        for (std::size_t i = next++; i < jobs_.size() && !failed; i = next++) {
            try {
                jobs_[i].work();
                done(jobs_[i].name);
            } catch (...) {
                std::lock_guard lock(failureLock);
                if (!failure) failure = std::current_exception();
                failed = true;
            }
        }
    };
    std::vector<std::thread> pool;
    for (int t = 1; t < threads; ++t) pool.emplace_back(worker);
    worker();
    for (auto& t : pool) t.join();
    jobs_.clear();
    if (failure) std::rethrow_exception(failure);
}

}  // namespace tovra::demo
