#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "input/PadMapping.h"

namespace tovra {

// The mappings of all devices by GUID, as kept in controllers.ini.
using DeviceMappings = std::map<std::string, DeviceMapping>;

struct MappingFile {
    DeviceMappings devices;
    std::string error;  // a damaged file: what is wrong, and no mappings at all
};

// One section per device GUID; each axis, button and hat direction a line
// (see writeMappings). Anything unreadable, out of range or unknown damages
// the whole file, so that no half-read mapping moves the handles.
MappingFile parseMappings(std::string_view text);
std::string writeMappings(const DeviceMappings& devices);

// A missing file is no mappings and no error.
MappingFile loadMappings(const std::filesystem::path& file);
// Written to a temporary file first, so that a failed write keeps the old
// file; the error when it fails.
std::optional<std::string> saveMappings(const std::filesystem::path& file,
                                        const DeviceMappings& devices);

}  // namespace tovra
