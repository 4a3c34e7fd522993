#include "platform/QtSettingsStore.h"

#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QVariant>

namespace tovra {

namespace {

constexpr const char* kOrganisation = "Velmoran";

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

bool write(const std::filesystem::path& file, const std::string& key, const QVariant& value) {
    if (file.empty() || key.empty()) return false;
    QSettings settings(qt(file.string()), QSettings::IniFormat);
    settings.setValue(qt(key), value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}

}  // namespace

QtSettingsStore::QtSettingsStore(std::filesystem::path configFolder)
    : folder_(std::move(configFolder)) {
    if (folder_.empty())
        folder_ =
            QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation).toStdString();
}

std::filesystem::path QtSettingsStore::fileOf(const std::string& group) const {
    const bool plain = !group.empty() && group != "." && group != ".." &&
                       group.find_first_of("/\\") == std::string::npos;
    if (!plain || folder_.empty()) return {};
    return folder_ / kOrganisation / (group + ".ini");
}

std::optional<std::string> QtSettingsStore::readString(const std::string& group,
                                                       const std::string& key) const {
    const auto file = fileOf(group);
    std::error_code error;
    if (file.empty() || key.empty() || !std::filesystem::is_regular_file(file, error))
        return std::nullopt;
    const QSettings settings(qt(file.string()), QSettings::IniFormat);
    const QVariant value = settings.value(qt(key));
    // A text with unquoted commas comes back as a list: it was one text.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(',').toStdString();
    if (!value.isValid() || !value.canConvert<QString>()) return std::nullopt;
    return value.toString().toStdString();
}

std::optional<int> QtSettingsStore::readInteger(const std::string& group,
                                                const std::string& key) const {
    const auto text = readString(group, key);
    if (!text) return std::nullopt;
    bool ok = false;
    const int value = qt(*text).trimmed().toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

bool QtSettingsStore::writeInteger(const std::string& group, const std::string& key, int value) {
    return write(fileOf(group), key, value);
}

bool QtSettingsStore::writeString(const std::string& group, const std::string& key,
                                  const std::string& value) {
    return write(fileOf(group), key, qt(value));
}

}  // namespace tovra
