#include "Options.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "common/DataError.h"
#include "common/TextFields.h"

namespace tovra::sim {

Options::Options(const std::vector<std::string>& args, const std::vector<std::string>& known,
                 const std::vector<std::string>& flags) {
    const auto contains = [](const std::vector<std::string>& list, const std::string& s) {
        return std::find(list.begin(), list.end(), s) != list.end();
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.rfind("--", 0) != 0)
            throw std::invalid_argument("unexpected argument '" + arg + "'");
        const std::string name = arg.substr(2);
        if (contains(flags, name)) {
            values_[name].assign(1, '1');
        } else if (contains(known, name)) {
            if (i + 1 >= args.size()) throw std::invalid_argument(arg + " needs a value");
            values_[name] = args[++i];
        } else {
            throw std::invalid_argument("unknown option " + arg);
        }
    }
}

std::string Options::text(const std::string& name, const std::string& fallback) const {
    const auto it = values_.find(name);
    return it == values_.end() ? fallback : it->second;
}

std::string Options::required(const std::string& name) const {
    const auto it = values_.find(name);
    if (it == values_.end()) throw std::invalid_argument("--" + name + " is required");
    return it->second;
}

double Options::number(const std::string& name, double fallback) const {
    const auto it = values_.find(name);
    if (it == values_.end()) return fallback;
    try {
        const double v = double(parseDecimal(it->second));
        if (std::isfinite(v)) return v;
    } catch (const ReadFailure&) {
    }
    throw std::invalid_argument("--" + name + " needs a number, not '" + it->second + "'");
}

long Options::integer(const std::string& name, long fallback) const {
    const double v = number(name, double(fallback));
    if (v != double(long(v))) throw std::invalid_argument("--" + name + " needs a whole number");
    return long(v);
}

}  // namespace tovra::sim
