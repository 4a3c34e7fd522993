#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "input/VirtualKey.h"

namespace tovra::remote {

// A body larger than this is refused unread.
inline constexpr std::size_t kMaxBodyBytes = 4096;
// Characters one "keys" command may type.
inline constexpr std::size_t kMaxKeys = 64;

// What the run's handles allow, for checking a command before it is queued.
struct CommandLimits {
    int power = 0;  // highest power notch
    int brake = 0;  // emergency position (the vehicle's Brake)
    bool oneLever = false;
};

// One key as the keyboard gives it: a typed character or a key without one.
struct KeyPress {
    std::optional<char> character;
    std::optional<VirtualKey> key;
    bool shift = false;
};

// The touch buttons: each is a key of the keyboard.
enum class Button { Horn, Horn2, Buzzer, Doors, Acknowledge, Reset, Callout, Announce, Emergency };

// Handle positions to reach, each by the keys that step the handle there.
struct HandleTargets {
    std::optional<int> power;
    std::optional<int> brake;  // 0 release .. CommandLimits::brake emergency
    std::optional<int> reverser;
};

// A command of POST /api/command, checked and ready to be applied on the
// thread that runs the ticks.
struct RemoteCommand {
    enum class Kind { Keys, Handles, Button };
    Kind kind = Kind::Keys;
    std::vector<KeyPress> keys;  // Kind::Keys: {"key"} gives one, {"keys"} several
    HandleTargets handles;
    Button button = Button::Horn;
    bool down = true;
    std::int64_t sequence = 0;  // given by the server, counted per start
};

struct ParsedCommand {
    std::optional<RemoteCommand> command;
    std::string error;  // names the fault when there is no command
};

// Reads a command body: {"key":"8"}, {"key":"F1","shift":true},
// {"keys":"zzz"}, {"handles":{"power":3,"brake":0,"reverser":1}},
// {"button":"horn","down":true}. Everything else is refused with a message
// naming the fault: a body over kMaxBodyBytes, malformed JSON, an unknown
// command or field, a wrong type, a value out of range.
ParsedCommand parseCommand(std::string_view body, const CommandLimits& limits);

std::optional<Button> buttonNamed(std::string_view name);
const char* buttonName(Button button);

}  // namespace tovra::remote
