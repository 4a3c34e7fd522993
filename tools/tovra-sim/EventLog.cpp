#include "EventLog.h"

#include <cstdio>

#include "common/TextFields.h"

namespace tovra::sim {

std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (const char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
                    out += escaped;
                } else {
                    out += c;
                }
        }
    }
    return out + '"';
}

namespace {

std::string number(double v) {
    return formatGeneral(v, 10);
}

}  // namespace

void EventLog::record(double t, const std::string& type, const std::string& fields) {
    out_ << "{\"t\":" << number(t) << ",\"type\":" << jsonString(type);
    if (!fields.empty()) out_ << ',' << fields;
    out_ << "}\n";
}

void EventLog::soundOperation(double t, int channel, const std::string& operation, double value,
                              const std::string& file) {
    std::string fields =
        "\"channel\":" + std::to_string(channel) + ",\"op\":" + jsonString(operation);
    if (operation == "volume" || operation == "pitch") fields += ",\"value\":" + number(value);
    if (operation.starts_with("play")) fields += ",\"file\":" + jsonString(file);
    record(t, "sound", fields);
}

void EventLog::message(double t, const std::string& text) {
    record(t, "message", "\"text\":" + jsonString(text));
}

}  // namespace tovra::sim
