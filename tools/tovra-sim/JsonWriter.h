#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace tovra::sim {

// A small indented JSON writer: objects, arrays, strings and numbers.
class JsonWriter {
  public:
    explicit JsonWriter(std::ostream& out) : out_(out) {}

    void beginObject() { open('{'); }
    void endObject() { close('}'); }
    void beginArray() { open('['); }
    void endArray() { close(']'); }
    // The next value belongs to this member of the open object.
    void key(std::string_view name);

    void value(const std::string& text);
    void value(const char* text) { value(std::string(text)); }
    void value(std::int64_t number);
    void value(int number) { value(std::int64_t{number}); }
    // Whole numbers are written without a fraction; others as the shortest
    // text that reads back as the same double.
    void value(long double number);
    void value(double number) { value(static_cast<long double>(number)); }
    void value(bool flag);

    template <typename T>
    void field(std::string_view name, const T& v) {
        key(name);
        value(v);
    }

  private:
    void open(char bracket);
    void close(char bracket);
    void beginValue();
    void newline();

    std::ostream& out_;
    std::vector<bool> empty_;  // per open container: nothing written yet
    bool afterKey_ = false;
};

}  // namespace tovra::sim
