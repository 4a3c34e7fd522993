#include "Trace.h"

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "sim/Cab.h"

namespace tovra::sim {

namespace {

std::string fixed(long double v, int places) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*Lf", places, v);
    return buffer;
}

struct Column {
    const char* name;
    std::function<std::string(const Cab&)> value;
};

const std::vector<Column>& columns() {
    static const std::vector<Column> all = {
        {"clock", [](const Cab& c) { return std::to_string(c.state.Clock); }},
        {"position", [](const Cab& c) { return fixed(c.state.Position, 3); }},
        {"speed", [](const Cab& c) { return fixed(c.state.Speed, 4); }},
    };
    return all;
}

}  // namespace

void Trace::writeHeader() {
    out_ << "t";
    for (const auto& column : columns()) out_ << ',' << column.name;
    out_ << '\n';
}

void Trace::writeRow(double seconds, const Cab& cab) {
    out_ << fixed(seconds, 3);
    for (const auto& column : columns()) out_ << ',' << column.value(cab);
    out_ << '\n';
}

}  // namespace tovra::sim
