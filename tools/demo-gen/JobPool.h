#pragma once

#include <functional>
#include <string>
#include <vector>

namespace tovra::demo {

// Runs jobs on a few threads, in the order given (put the long ones first).
// The first failure is rethrown once every thread has stopped.
class JobPool {
  public:
    struct Job {
        std::string name;
        std::function<void()> work;
    };

    void add(std::string name, std::function<void()> work) {
        jobs_.push_back({std::move(name), std::move(work)});
    }
    // `done` is called (from the worker's thread) after each job.
    void run(int threads, const std::function<void(const std::string&)>& done);

  private:
    std::vector<Job> jobs_;
};

}  // namespace tovra::demo
