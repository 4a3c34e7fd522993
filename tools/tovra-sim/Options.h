#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace tovra::sim {

// "--name value" and "--flag" arguments after the subcommand.
class Options {
  public:
    // Throws std::invalid_argument for an option not in `known` (flags are
    // named in `flags`).
    Options(const std::vector<std::string>& args, const std::vector<std::string>& known,
            const std::vector<std::string>& flags);

    bool has(const std::string& name) const { return values_.count(name) > 0; }
    std::string text(const std::string& name, const std::string& fallback = {}) const;
    std::string required(const std::string& name) const;
    double number(const std::string& name, double fallback) const;
    long integer(const std::string& name, long fallback) const;

  private:
    std::map<std::string, std::string> values_;
};

}  // namespace tovra::sim
