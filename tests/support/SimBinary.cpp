#include "support/SimBinary.h"

#include <sys/wait.h>
#include <array>
#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace tovra::test {

SimResult runSim(const std::string& arguments) {
    const std::string command = std::string(TOVRA_SIM_BINARY) + " " + arguments + " 2>&1";
    SimResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return result;
    std::array<char, 4096> buffer;
    while (std::fgets(buffer.data(), int(buffer.size()), pipe)) result.output += buffer.data();
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

namespace {

// Splits one CSV line; quoted cells keep their commas and lose their quotes.
std::vector<std::string> cells(const std::string& line) {
    std::vector<std::string> out(1);
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                out.back() += '"';
                ++i;
            } else {
                quoted = !quoted;
            }
        } else if (c == ',' && !quoted) {
            out.emplace_back();
        } else {
            out.back() += c;
        }
    }
    return out;
}

}  // namespace

TraceTable::TraceTable(const std::string& file) {
    std::ifstream in(file);
    if (!in) throw std::runtime_error("no trace " + file);
    std::string line;
    std::getline(in, line);
    const auto names = cells(line);
    for (std::size_t i = 0; i < names.size(); ++i) columns_[names[i]] = i;
    while (std::getline(in, line)) rows_.push_back(cells(line));
}

std::size_t TraceTable::columnOf(const std::string& column) const {
    const auto it = columns_.find(column);
    if (it == columns_.end()) throw std::runtime_error("no trace column " + column);
    return it->second;
}

double TraceTable::number(std::size_t row, const std::string& column) const {
    return std::stod(rows_.at(row).at(columnOf(column)));
}

std::string TraceTable::text(std::size_t row, const std::string& column) const {
    return rows_.at(row).at(columnOf(column));
}

}  // namespace tovra::test
