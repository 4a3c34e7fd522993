#include "common/DataPath.h"

#include "common/AsciiCase.h"

#include <algorithm>
#include <string>
#include <system_error>

namespace tovra {

std::filesystem::path resolveDataPath(const std::filesystem::path& folder, std::string_view dataPath) {
    std::string relative(dataPath);
    std::replace(relative.begin(), relative.end(), '\\', '/');
    const std::filesystem::path written = folder / std::filesystem::path(relative);
    std::error_code ec;
    if (relative.empty() || std::filesystem::exists(written, ec)) return written;

    std::filesystem::path current = relative.front() == '/' ? std::filesystem::path("/") : folder;
    for (const auto& part : std::filesystem::path(relative).relative_path()) {
        const std::string name = part.string();
        if (name.empty() || name == ".") continue;
        if (name == ".." || std::filesystem::exists(current / part, ec)) {
            current /= part;
            continue;
        }
        bool found = false;
        for (std::filesystem::directory_iterator it(current, ec), end; !ec && it != end;
             it.increment(ec)) {
            if (equalsIgnoringCase(it->path().filename().string(), name)) {
                current = it->path();
                found = true;
                break;
            }
        }
        if (!found) return written;
    }
    return current;
}

std::string videoDataPath(const std::filesystem::path& folder, const std::string& base) {
    std::error_code ec;
    for (const char* extension : {".avi", ".mp4", ".mkv", ".mov"}) {
        const std::string path = base + extension;
        if (std::filesystem::exists(resolveDataPath(folder, path), ec)) return path;
    }
    return base + ".avi";
}

}  // namespace tovra
