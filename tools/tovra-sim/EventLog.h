#pragma once

#include <ostream>
#include <string>

namespace tovra::sim {

// --events: one JSON object per line, each with the simulated time "t".
class EventLog {
  public:
    explicit EventLog(std::ostream& out) : out_(out) {}

    // `file` is the wave on the channel, written for the play operations.
    void soundOperation(double t, int channel, const std::string& operation, double value,
                        const std::string& file = {});
    void message(double t, const std::string& text);
    // Further kinds of event: `fields` is the JSON text of the members after
    // "t" and "type", e.g. "\"line\":\"...\"".
    void record(double t, const std::string& type, const std::string& fields);

  private:
    std::ostream& out_;
};

// A JSON string literal of UTF-8 text.
std::string jsonString(const std::string& text);

}  // namespace tovra::sim
