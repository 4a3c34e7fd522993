#include "data/UserOptions.h"

#include "ports/SettingsStore.h"

namespace tovra {

UserOptions loadUserOptions(const SettingsStore& store) {
    const struct {
        const char* key;
        std::int32_t UserOptions::*field;
    } kValues[] = {
        {"Kanko", &UserOptions::Kanko}, {"Information", &UserOptions::Information},
        {"ATS", &UserOptions::ATS},     {"Tunnel", &UserOptions::Tunnel},
        {"Moji", &UserOptions::Moji},
    };
    UserOptions read;
    for (const auto& value : kValues) {
        const auto stored = store.readInteger(kUserOptionsGroup, value.key);
        if (!stored) return UserOptions{};
        read.*value.field = *stored;
    }
    return read;
}

}  // namespace tovra
