#include "input/PadMappingFile.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <fstream>
#include <set>
#include <sstream>
#include <system_error>

#include "common/UiText.h"

namespace tovra {

namespace {

constexpr std::size_t kMaxFileBytes = 1 << 20;
constexpr int kMaxAxis = 255;
constexpr int kMaxButton = 255;
constexpr int kMaxHat = 15;
constexpr std::size_t kMaxNotches = 32;
constexpr double kMaxDeadZone = 0.9;
constexpr std::size_t kGuidLength = 32;

struct RoleName {
    AxisRole role;
    std::string_view name;
};
constexpr std::array<RoleName, 3> kRoles{
    {{AxisRole::Power, "power"}, {AxisRole::Brake, "brake"}, {AxisRole::Combined, "combined"}}};

struct DirectionName {
    std::uint8_t direction;
    std::string_view name;
};
constexpr std::array<DirectionName, 4> kDirections{
    {{HatUp, "up"}, {HatRight, "right"}, {HatDown, "down"}, {HatLeft, "left"}}};

struct Damaged {
    std::string what;
};

std::string_view trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

template <typename T>
T number(std::string_view text, T low, T high) {
    T value{};
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || !(value >= low && value <= high))
        throw Damaged{
            fillIn(uiText("PadMappingFile", "数値 \"%1\" が読めないか範囲外です"), {text})};
    return value;
}

std::vector<double> notchList(std::string_view text) {
    std::vector<double> notches;
    while (!(text = trimmed(text)).empty()) {
        const auto gap = std::min(text.find(' '), text.size());
        notches.push_back(number(text.substr(0, gap), 0.0, 1.0));
        text.remove_prefix(gap);
    }
    if (notches.size() > kMaxNotches) throw Damaged{uiText("PadMappingFile", "ノッチが多すぎます")};
    if (std::adjacent_find(notches.begin(), notches.end(), std::greater_equal<>()) != notches.end())
        throw Damaged{uiText("PadMappingFile", "ノッチの位置が昇順ではありません")};
    return notches;
}

bool isGuid(std::string_view s) {
    return s.size() == kGuidLength && std::all_of(s.begin(), s.end(), [](char c) {
               return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f');
           });
}

// One device's section as it is read: axes by their number, and which of
// them were given a role.
struct SectionReader {
    DeviceMapping mapping;
    std::map<int, AxisMapping> axes;
    std::set<int> withRole;

    void axisKey(int index, std::string_view field, std::string_view value) {
        AxisMapping& axis = axes[index];
        axis.axis = index;
        if (field.empty()) {
            const auto role = std::find_if(kRoles.begin(), kRoles.end(),
                                           [&](const RoleName& r) { return r.name == value; });
            if (role == kRoles.end())
                throw Damaged{
                    fillIn(uiText("PadMappingFile", "軸の役割 \"%1\" は不明です"), {value})};
            axis.role = role->role;
            withRole.insert(index);
        } else if (field == "rest") {
            axis.rest = number<std::int32_t>(value, -32768, 32767);
        } else if (field == "power_end") {
            axis.powerEnd = number<std::int32_t>(value, -32768, 32767);
        } else if (field == "brake_end") {
            axis.brakeEnd = number<std::int32_t>(value, -32768, 32767);
        } else if (field == "dead_zone") {
            axis.deadZone = number(value, 0.0, kMaxDeadZone);
        } else if (field == "power_notches") {
            axis.powerNotches = notchList(value);
        } else if (field == "brake_notches") {
            axis.brakeNotches = notchList(value);
        } else {
            throw Damaged{uiText("PadMappingFile", "不明な項目です")};
        }
    }

    void control(PadControl control, std::string_view value) {
        const auto key = padKeyNamed(value);
        if (!key)
            throw Damaged{fillIn(uiText("PadMappingFile", "キー \"%1\" は不明です"), {value})};
        for (const ControlMapping& c : mapping.controls) {
            if (c.control == control)
                throw Damaged{uiText("PadMappingFile", "同じボタンが二度あります")};
        }
        mapping.controls.push_back({control, *key});
    }

    void line(std::string_view key, std::string_view value) {
        if (key == "name") {
            mapping.name = std::string(value);
            return;
        }
        const auto dot = key.find('.');
        const std::string_view kind = key.substr(0, dot);
        if (dot == std::string_view::npos)
            throw Damaged{uiText("PadMappingFile", "不明な項目です")};
        std::string_view rest = key.substr(dot + 1);
        const auto dot2 = rest.find('.');
        const std::string_view field = dot2 == std::string_view::npos ? "" : rest.substr(dot2 + 1);
        rest = rest.substr(0, dot2);
        if (kind == "axis") return axisKey(number(rest, 0, kMaxAxis), field, value);
        if (kind == "button" && field.empty())
            return control({false, number(rest, 0, kMaxButton), 0}, value);
        if (kind == "hat") {
            const auto d = std::find_if(kDirections.begin(), kDirections.end(),
                                        [&](const DirectionName& n) { return n.name == field; });
            if (d != kDirections.end())
                return control({true, number(rest, 0, kMaxHat), d->direction}, value);
        }
        throw Damaged{uiText("PadMappingFile", "不明な項目です")};
    }

    // A handle whose end is its rest would divide by nothing; a combined one
    // needs its ends on either side of the centre.
    DeviceMapping finish() {
        for (auto& [index, axis] : axes) {
            if (!withRole.contains(index))
                throw Damaged{fillIn(uiText("PadMappingFile", "軸 %1 の役割がありません"),
                                     {std::to_string(index)})};
            const bool power = axis.role != AxisRole::Brake;
            const bool brake = axis.role != AxisRole::Power;
            if ((power && axis.powerEnd == axis.rest) || (brake && axis.brakeEnd == axis.rest))
                throw Damaged{fillIn(uiText("PadMappingFile", "軸 %1 の端が中立と同じです"),
                                     {std::to_string(index)})};
            if (power && brake && (axis.powerEnd > axis.rest) == (axis.brakeEnd > axis.rest))
                throw Damaged{fillIn(uiText("PadMappingFile", "軸 %1 の両端が同じ側です"),
                                     {std::to_string(index)})};
            mapping.axes.push_back(axis);
        }
        return mapping;
    }
};

std::string shortest(double value) {
    std::array<char, 32> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(), value).ptr;
    return {text.data(), end};
}

std::string notchText(const std::vector<double>& notches) {
    std::string text;
    for (const double n : notches) text += (text.empty() ? "" : " ") + shortest(n);
    return text;
}

std::string_view roleName(AxisRole role) {
    return std::find_if(kRoles.begin(), kRoles.end(),
                        [&](const RoleName& r) { return r.role == role; })
        ->name;
}

std::string_view directionName(std::uint8_t direction) {
    for (const DirectionName& d : kDirections) {
        if (d.direction == direction) return d.name;
    }
    return "up";
}

}  // namespace

MappingFile parseMappings(std::string_view text) {
    MappingFile file;
    if (text.size() > kMaxFileBytes)
        return {{}, uiText("PadMappingFile", "ファイルが大きすぎます")};
    std::optional<std::string> guid;
    std::optional<SectionReader> section;
    int lineNumber = 0;
    const auto close = [&] {
        if (section) file.devices[*guid] = section->finish();
    };
    try {
        while (!text.empty()) {
            ++lineNumber;
            const auto end = std::min(text.find('\n'), text.size());
            const std::string_view line = trimmed(text.substr(0, end));
            text.remove_prefix(std::min(end + 1, text.size()));
            if (line.empty() || line.front() == '#' || line.front() == ';') continue;
            if (line.front() == '[') {
                close();
                const std::string_view name = line.substr(1, line.size() - 1);
                if (line.back() != ']' || !isGuid(name.substr(0, name.size() - 1)))
                    throw Damaged{uiText("PadMappingFile", "GUID の見出しが正しくありません")};
                guid = std::string(name.substr(0, name.size() - 1));
                if (file.devices.contains(*guid))
                    throw Damaged{uiText("PadMappingFile", "同じ GUID が二度あります")};
                section.emplace();
                continue;
            }
            const auto equals = line.find('=');
            if (!section || equals == std::string_view::npos)
                throw Damaged{uiText("PadMappingFile", "読めない行です")};
            section->line(trimmed(line.substr(0, equals)), trimmed(line.substr(equals + 1)));
        }
        close();
    } catch (const Damaged& damaged) {
        return {{},
                fillIn(uiText("PadMappingFile", "%1 行目: %2"),
                       {std::to_string(lineNumber), damaged.what})};
    }
    return file;
}

std::string writeMappings(const DeviceMappings& devices) {
    std::ostringstream out;
    out << "# tovra: game controllers, one section per device GUID\n";
    for (const auto& [guid, mapping] : devices) {
        std::string name = mapping.name;
        std::replace_if(
            name.begin(), name.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
        out << "\n[" << guid << "]\nname = " << name << '\n';
        for (const AxisMapping& a : mapping.axes) {
            const std::string key = "axis." + std::to_string(a.axis);
            out << key << " = " << roleName(a.role) << '\n';
            out << key << ".rest = " << a.rest << '\n';
            if (a.role != AxisRole::Brake) out << key << ".power_end = " << a.powerEnd << '\n';
            if (a.role != AxisRole::Power) out << key << ".brake_end = " << a.brakeEnd << '\n';
            out << key << ".dead_zone = " << shortest(a.deadZone) << '\n';
            if (a.role != AxisRole::Brake)
                out << key << ".power_notches = " << notchText(a.powerNotches) << '\n';
            if (a.role != AxisRole::Power)
                out << key << ".brake_notches = " << notchText(a.brakeNotches) << '\n';
        }
        for (const ControlMapping& c : mapping.controls) {
            if (c.control.hat) {
                out << "hat." << c.control.index << '.' << directionName(c.control.direction);
            } else {
                out << "button." << c.control.index;
            }
            out << " = " << padKeyInfo(c.key).name << '\n';
        }
    }
    return out.str();
}

MappingFile loadMappings(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return {};
    std::string text(kMaxFileBytes + 1, '\0');
    in.read(text.data(), std::streamsize(text.size()));
    text.resize(std::size_t(in.gcount()));
    return parseMappings(text);
}

std::optional<std::string> saveMappings(const std::filesystem::path& file,
                                        const DeviceMappings& devices) {
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    std::filesystem::path temporary = file;
    temporary += ".new";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << writeMappings(devices);
        if (!out.flush())
            return fillIn(uiText("PadMappingFile", "書き込めません: %1"), {temporary.string()});
    }
    std::filesystem::rename(temporary, file, error);
    if (error)
        return fillIn(uiText("PadMappingFile", "書き込めません: %1 (%2)"),
                      {file.string(), error.message()});
    return std::nullopt;
}

}  // namespace tovra
