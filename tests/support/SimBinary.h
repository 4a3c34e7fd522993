#pragma once

#include <map>
#include <string>
#include <vector>

namespace tovra::test {

struct SimResult {
    int status = -1;
    std::string output;  // stdout and stderr
};

// Runs the tovra-sim program with `arguments`, as a user would from a shell.
SimResult runSim(const std::string& arguments);

// A CSV trace of `tovra-sim run`: rows of named columns.
class TraceTable {
  public:
    explicit TraceTable(const std::string& file);
    std::size_t size() const { return rows_.size(); }
    // The cell as a number; quoted texts are not numbers.
    double number(std::size_t row, const std::string& column) const;
    std::string text(std::size_t row, const std::string& column) const;

  private:
    std::size_t columnOf(const std::string& column) const;
    std::map<std::string, std::size_t> columns_;
    std::vector<std::vector<std::string>> rows_;
};

}  // namespace tovra::test
