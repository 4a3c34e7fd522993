// The remote interface's command reader: any body a client may post.
#include <cstdint>
#include <string_view>

#include "remote/RemoteCommand.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    for (const bool oneLever : {true, false}) {
        const tovra::remote::ParsedCommand parsed =
            tovra::remote::parseCommand(body, {5, 8, oneLever});
        // Either a command or a reason, never both and never neither.
        if (parsed.command.has_value() == !parsed.error.empty()) __builtin_trap();
        if (parsed.command && parsed.command->kind == tovra::remote::RemoteCommand::Kind::Keys &&
            (parsed.command->keys.empty() || parsed.command->keys.size() > tovra::remote::kMaxKeys))
            __builtin_trap();
    }
    return 0;
}
