#pragma once

#include <optional>
#include <string>

namespace tovra {

// The per-user settings store. Groups: "tovra" (options, saved states) and
// "dgcontroller" (game-controller position codes).
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<int> readInteger(const std::string& group, const std::string& key) const = 0;
    virtual std::optional<std::string> readString(const std::string& group, const std::string& key) const = 0;
    // False when the value could not be written.
    virtual bool writeInteger(const std::string& group, const std::string& key, int value) = 0;
    virtual bool writeString(const std::string& group, const std::string& key, const std::string& value) = 0;
};

}  // namespace tovra
