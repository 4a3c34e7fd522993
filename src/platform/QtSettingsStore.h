#pragma once

#include <filesystem>

#include "ports/SettingsStore.h"

namespace tovra {

// The per-user settings store on QSettings. Each group is an INI file of its
// own in the organisation's folder, so "tovra" and "dgcontroller" sit side by
// side: <config folder>/Velmoran/tovra.ini and .../dgcontroller.ini, where
// QSettings would put application "tovra" of organisation "Velmoran".
class QtSettingsStore : public SettingsStore {
  public:
    // An empty folder means the user's config folder ($XDG_CONFIG_HOME, else ~/.config).
    explicit QtSettingsStore(std::filesystem::path configFolder = {});

    std::optional<int> readInteger(const std::string& group, const std::string& key) const override;
    std::optional<std::string> readString(const std::string& group,
                                          const std::string& key) const override;
    bool writeInteger(const std::string& group, const std::string& key, int value) override;
    bool writeString(const std::string& group, const std::string& key,
                     const std::string& value) override;

    std::filesystem::path fileOf(
        const std::string& group) const;  // empty for a name that is no plain group

  private:
    std::filesystem::path folder_;
};

}  // namespace tovra
