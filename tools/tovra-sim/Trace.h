#pragma once

#include <ostream>
#include <string>

namespace tovra {
class Cab;
}

namespace tovra::sim {

// The CSV trace of a run: a header row, then one row every `every` logic
// ticks. Column names are stable once written; `panel` adds a last column with
// the digest of what the cab shows.
class Trace {
  public:
    Trace(std::ostream& out, bool panel) : out_(out), panel_(panel) {}
    void writeHeader();
    void writeRow(double seconds, const Cab& cab);

  private:
    std::ostream& out_;
    bool panel_;
};

}  // namespace tovra::sim
