#include "Script.h"

#include <cmath>
#include <map>
#include <sstream>
#include <stdexcept>

#include "common/DataError.h"
#include "common/TextFields.h"
#include "input/VirtualKey.h"

namespace tovra::sim {

namespace {

bool isInteger(const std::string& text) {
    try {
        parseInteger(text);
        return true;
    } catch (const ReadFailure&) {
        return false;
    }
}

// Checks the arguments of one command; returns an error text or empty.
std::string argumentError(const ScriptCommand& c) {
    const auto& a = c.args;
    const auto count = [&](std::size_t n) {
        return a.size() == n ? std::string()
                             : "'" + c.command + "' takes " + std::to_string(n) + " argument(s)";
    };
    if (c.command == "char") {
        if (!a.empty() && a.size() == 1 && a[0] != "space" && a[0].size() != 1)
            return "'char' takes one character or 'space'";
        return count(1);
    }
    if (c.command == "key") {
        if (a.empty() || a.size() > 2 || (a.size() == 2 && a[1] != "shift"))
            return "'key' takes a key name and an optional 'shift'";
        return virtualKeyNamed(a[0]) ? "" : "unknown key '" + a[0] + "'";
    }
    if (c.command == "keyup") {
        if (!count(1).empty()) return count(1);
        return virtualKeyNamed(a[0]) ? "" : "unknown key '" + a[0] + "'";
    }
    if (c.command == "hold") {
        if (a.size() != 2 || (a[0] != "3" && a[0] != "4") || (a[1] != "on" && a[1] != "off"))
            return "'hold' takes 3|4 on|off";
        return "";
    }
    if (c.command == "wheel") {
        if (a.size() != 1 || (a[0] != "up" && a[0] != "down")) return "'wheel' takes up|down";
        return "";
    }
    if (c.command == "serial") {
        return a.empty() ? "'serial' takes the text of a message" : "";
    }
    if (c.command == "pad") {
        if (a.size() != 3 || !isInteger(a[0]) || !isInteger(a[1]) || !isInteger(a[2]) ||
            std::stol(a[2]) < 0 || std::stol(a[2]) > 0xFFFF)
            return "'pad' takes <x> <y> <buttons 0-65535>";
        return "";
    }
    if (c.command == "menu") {
        if (a.size() == 1 && a[0] == "start") return "";
        if (a.size() == 2 && (a[0] == "save" || a[0] == "restore") &&
            (a[1] == "1" || a[1] == "2" || a[1] == "3"))
            return "";
        if (a.size() == 2 && a[0] == "move" && isInteger(a[1])) return "";
        if (a.size() == 2 && a[0] == "controller" && a[1].size() == 1 && a[1][0] >= '0' &&
            a[1][0] <= '3')
            return "";
        return "'menu' takes start | save 1-3 | restore 1-3 | move <station> | controller 0-3";
    }
    return "unknown command '" + c.command + "'";
}

}  // namespace

std::vector<ScriptCommand> parseScript(std::istream& in) {
    std::vector<ScriptCommand> commands;
    std::string text;
    int lineNumber = 0;
    while (std::getline(in, text)) {
        ++lineNumber;
        if (!text.empty() && text.back() == '\r') text.pop_back();
        std::istringstream words(text);
        std::string first;
        if (!(words >> first) || first[0] == '#') continue;
        ScriptCommand c;
        c.line = lineNumber;
        const auto fail = [&](const std::string& why) {
            throw std::invalid_argument("script line " + std::to_string(lineNumber) + ": " + why);
        };
        try {
            c.seconds = double(parseDecimal(first));  // finite: no "nan" or "inf"
        } catch (const ReadFailure&) {
            c.seconds = -1;
        }
        if (!(c.seconds >= 0) || !std::isfinite(c.seconds))
            fail("'" + first + "' is not a time in seconds");
        if (!commands.empty() && c.seconds < commands.back().seconds)
            fail("times must not go backwards");
        if (!(words >> c.command)) fail("a command must follow the time");
        for (std::string arg; words >> arg;) c.args.push_back(arg);
        if (const std::string error = argumentError(c); !error.empty()) fail(error);
        commands.push_back(std::move(c));
    }
    return commands;
}

}  // namespace tovra::sim
