#pragma once

#include <map>
#include <string>
#include <utility>

#include "ports/SettingsStore.h"

namespace tovra {

class MemorySettingsStore : public SettingsStore {
  public:
    std::optional<int> readInteger(const std::string& group,
                                   const std::string& key) const override {
        const auto it = integers.find({group, key});
        if (it == integers.end()) return std::nullopt;
        return it->second;
    }
    std::optional<std::string> readString(const std::string& group,
                                          const std::string& key) const override {
        const auto it = strings.find({group, key});
        if (it == strings.end()) return std::nullopt;
        return it->second;
    }
    bool writeInteger(const std::string& group, const std::string& key, int value) override {
        integers[{group, key}] = value;
        return true;
    }
    bool writeString(const std::string& group, const std::string& key,
                     const std::string& value) override {
        strings[{group, key}] = value;
        return true;
    }

    std::map<std::pair<std::string, std::string>, int> integers;
    std::map<std::pair<std::string, std::string>, std::string> strings;
};

}  // namespace tovra
