#pragma once

#include <string_view>
#include <vector>

#include "remote/RemoteCommand.h"

namespace tovra {

// The keys of `--keys TEXT`: each character as it is, a key that types no
// character by its name in braces ("{F3}", "{Shift+F12}", "{Enter}"), and
// "{{" for the brace itself. Throws std::invalid_argument for a name no key
// has or a brace left open.
std::vector<remote::KeyPress> parseTypedKeys(std::string_view text);

}  // namespace tovra
