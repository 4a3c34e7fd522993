#include "remote/RemoteCommand.h"

#include <array>
#include <nlohmann/json.hpp>
#include <utility>

namespace tovra::remote {

namespace {

using Json = nlohmann::json;

constexpr std::array<std::pair<Button, const char*>, 9> kButtons = {{
    {Button::Horn, "horn"},
    {Button::Horn2, "horn2"},
    {Button::Buzzer, "buzzer"},
    {Button::Doors, "doors"},
    {Button::Acknowledge, "acknowledge"},
    {Button::Reset, "reset"},
    {Button::Callout, "callout"},
    {Button::Announce, "announce"},
    {Button::Emergency, "emergency"},
}};

struct Refused {
    std::string message;
};

bool printable(char c) {
    return c >= 0x20 && c < 0x7F;
}

int wholeNumber(const Json& value, const std::string& name, int lowest, int highest) {
    if (!value.is_number_integer()) throw Refused{name + " must be a whole number"};
    // Unsigned storage holds numbers beyond int64: those are out of range too.
    const bool huge =
        value.is_number_unsigned() && value.get<std::uint64_t>() > std::uint64_t(highest);
    const std::int64_t v = huge ? std::int64_t(highest) + 1 : value.get<std::int64_t>();
    if (v < lowest || v > highest)
        throw Refused{name + " out of range " + std::to_string(lowest) + ".." +
                      std::to_string(highest)};
    return int(v);
}

const std::string& text(const Json& value, const std::string& name) {
    if (!value.is_string()) throw Refused{name + " must be a string"};
    return value.get_ref<const std::string&>();
}

bool flag(const Json& value, const std::string& name) {
    if (!value.is_boolean()) throw Refused{name + " must be true or false"};
    return value.get<bool>();
}

void onlyFields(const Json& object, std::initializer_list<const char*> allowed,
                const std::string& where) {
    for (const auto& [name, value] : object.items()) {
        bool known = false;
        for (const char* a : allowed) known = known || name == a;
        if (!known) throw Refused{"unknown field \"" + name + "\"" + where};
    }
}

RemoteCommand keyCommand(const Json& body) {
    onlyFields(body, {"key", "shift"}, "");
    const std::string& name = text(body.at("key"), "key");
    KeyPress press;
    if (body.contains("shift")) press.shift = flag(body.at("shift"), "shift");
    if (name.size() == 1 && printable(name[0])) {
        if (press.shift) throw Refused{"shift goes only with a named key such as F1"};
        press.character = name[0];
    } else if (const auto key = virtualKeyNamed(name)) {
        press.key = *key;
    } else {
        throw Refused{
            "key must be one printable character or a key name (F1..F12, Enter, "
            "Backspace, PageUp, PageDown, ScrollLock, Up, Down)"};
    }
    RemoteCommand c;
    c.kind = RemoteCommand::Kind::Keys;
    c.keys.push_back(press);
    return c;
}

RemoteCommand keysCommand(const Json& body) {
    onlyFields(body, {"keys"}, "");
    const std::string& typed = text(body.at("keys"), "keys");
    if (typed.empty()) throw Refused{"keys is empty"};
    if (typed.size() > kMaxKeys)
        throw Refused{"keys holds more than " + std::to_string(kMaxKeys) + " characters"};
    RemoteCommand c;
    c.kind = RemoteCommand::Kind::Keys;
    for (char ch : typed) {
        if (!printable(ch)) throw Refused{"keys holds a character that is not printable ASCII"};
        c.keys.push_back(KeyPress{ch, std::nullopt, false});
    }
    return c;
}

RemoteCommand handlesCommand(const Json& body, const CommandLimits& limits) {
    onlyFields(body, {"handles"}, "");
    const Json& h = body.at("handles");
    if (!h.is_object()) throw Refused{"handles must be an object"};
    if (h.empty()) throw Refused{"handles names no handle (power, brake, reverser)"};
    onlyFields(h, {"power", "brake", "reverser"}, " in handles");
    RemoteCommand c;
    c.kind = RemoteCommand::Kind::Handles;
    if (h.contains("power"))
        c.handles.power = wholeNumber(h.at("power"), "handles.power", 0, limits.power);
    if (h.contains("brake"))
        c.handles.brake = wholeNumber(h.at("brake"), "handles.brake", 0, limits.brake);
    if (h.contains("reverser"))
        c.handles.reverser = wholeNumber(h.at("reverser"), "handles.reverser", -1, 1);
    if (limits.oneLever && c.handles.power.value_or(0) > 0 && c.handles.brake.value_or(0) > 0)
        throw Refused{"handles: power and brake cannot both be above 0 on a one-lever controller"};
    return c;
}

RemoteCommand buttonCommand(const Json& body) {
    onlyFields(body, {"button", "down"}, "");
    const std::string& name = text(body.at("button"), "button");
    const auto button = buttonNamed(name);
    if (!button) {
        std::string known;
        for (const auto& [b, n] : kButtons) known += (known.empty() ? "" : ", ") + std::string(n);
        throw Refused{"unknown button \"" + name + "\" (known: " + known + ")"};
    }
    RemoteCommand c;
    c.kind = RemoteCommand::Kind::Button;
    c.button = *button;
    if (body.contains("down")) c.down = flag(body.at("down"), "down");
    return c;
}

}  // namespace

std::optional<Button> buttonNamed(std::string_view name) {
    for (const auto& [button, n] : kButtons)
        if (name == n) return button;
    return std::nullopt;
}

const char* buttonName(Button button) {
    for (const auto& [b, n] : kButtons)
        if (b == button) return n;
    return "";
}

ParsedCommand parseCommand(std::string_view body, const CommandLimits& limits) {
    if (body.size() > kMaxBodyBytes)
        return {std::nullopt, "body over " + std::to_string(kMaxBodyBytes) + " bytes"};
    const Json parsed = Json::parse(body, nullptr, false);
    if (parsed.is_discarded()) return {std::nullopt, "malformed JSON"};
    try {
        if (!parsed.is_object()) throw Refused{"the body must be a JSON object"};
        int commands = 0;
        for (const char* name : {"key", "keys", "handles", "button"})
            commands += parsed.contains(name);
        if (commands == 0) {
            if (parsed.empty()) throw Refused{"unknown command: the object is empty"};
            throw Refused{"unknown command \"" + parsed.begin().key() +
                          "\" (known: key, keys, handles, button)"};
        }
        if (commands > 1) throw Refused{"more than one command in one body"};
        if (parsed.contains("key")) return {keyCommand(parsed), {}};
        if (parsed.contains("keys")) return {keysCommand(parsed), {}};
        if (parsed.contains("handles")) return {handlesCommand(parsed, limits), {}};
        return {buttonCommand(parsed), {}};
    } catch (const Refused& refused) {
        return {std::nullopt, refused.message};
    }
}

}  // namespace tovra::remote
