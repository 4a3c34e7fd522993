#pragma once

#include <ostream>
#include <string>

namespace tovra {
class Cab;
}

namespace tovra::sim {

// The CSV trace of a run: a header row, then one row every `every` logic
// ticks. Column names are stable once written.
class Trace {
  public:
    explicit Trace(std::ostream& out) : out_(out) {}
    void writeHeader();
    void writeRow(double seconds, const Cab& cab);

  private:
    std::ostream& out_;
};

}  // namespace tovra::sim
