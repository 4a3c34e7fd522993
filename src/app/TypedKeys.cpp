#include "app/TypedKeys.h"

#include <stdexcept>
#include <string>

namespace tovra {

namespace {

constexpr std::string_view kShift = "Shift+";

remote::KeyPress namedKey(std::string_view name) {
    remote::KeyPress press;
    if (name.starts_with(kShift)) {
        press.shift = true;
        name.remove_prefix(kShift.size());
    }
    press.key = virtualKeyNamed(name);
    if (!press.key) throw std::invalid_argument("no key is named {" + std::string(name) + "}");
    return press;
}

}  // namespace

std::vector<remote::KeyPress> parseTypedKeys(std::string_view text) {
    std::vector<remote::KeyPress> keys;
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (text[at] != '{') {
            keys.push_back({text[at], std::nullopt, false});
        } else if (text.substr(at, 2) == "{{") {
            keys.push_back({'{', std::nullopt, false});
            ++at;
        } else {
            const std::size_t end = text.find('}', at);
            if (end == std::string_view::npos)
                throw std::invalid_argument("a { without its }: " + std::string(text.substr(at)));
            keys.push_back(namedKey(text.substr(at + 1, end - at - 1)));
            at = end;
        }
    }
    return keys;
}

}  // namespace tovra
