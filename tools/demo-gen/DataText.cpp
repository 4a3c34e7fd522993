#include "demo-gen/DataText.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <stdexcept>

#include "common/TextCodec.h"

namespace tovra::demo {

std::string decimal(double value, int decimals) {
    const double unit = std::pow(10.0, decimals);
    double rounded = std::round(value * unit) / unit;
    if (rounded == 0) rounded = 0;  // no "-0"
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, rounded);
    return buffer;
}

DataText& DataText::line(std::string_view text) {
    lines_.emplace_back(text);
    return *this;
}

DataText& DataText::section(std::string_view key, const std::vector<std::string>& values) {
    line(key);
    for (const auto& v : values) line(v);
    return *this;
}

DataText& DataText::list(std::string_view key, const std::vector<std::string>& entries) {
    section(key, entries);
    return line("#");
}

void DataText::save(const std::filesystem::path& file) const {
    std::string text;
    for (const auto& l : lines_) {
        text += l;
        text += "\r\n";
    }
    saveBytes(file, utf8ToCp932(text));
}

std::filesystem::path onDisk(const std::filesystem::path& root, std::string_view dataPath) {
    std::string path(dataPath);
    for (char& c : path)
        if (c == '\\') c = '/';
    return root / path;
}

void saveBytes(const std::filesystem::path& file, std::string_view bytes) {
    if (file.has_parent_path()) std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace tovra::demo
