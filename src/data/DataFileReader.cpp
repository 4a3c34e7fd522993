#include "data/DataFileReader.h"

#include <fstream>
#include <iterator>

#include "common/DataError.h"
#include "common/TextCodec.h"
#include "common/TextFields.h"

namespace tovra {

namespace {

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::size_t stop = end;
        if (stop > start && text[stop - 1] == '\r') --stop;
        lines.emplace_back(text, start, stop - start);
        start = end + 1;
    }
    return lines;
}

std::string readBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ReadFailure("cannot open " + path.string());
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw ReadFailure("cannot read " + path.string());
    return bytes;
}

bool isNoValue(const std::string& line) { return !line.empty() && line.front() == ';'; }

}  // namespace

void DataFileReader::open(const std::filesystem::path& path) {
    path_ = path;
    lines_.clear();
    next_ = 0;
    openText(decodeDataText(readBytes(path)));
}

std::string DataFileReader::describe(const std::exception& failure) const {
    std::string where = path_.empty() ? std::string("(text)") : path_.string();
    if (next_ > 0) where += ":" + std::to_string(next_);
    return where + ": " + failure.what();
}

void DataFileReader::openText(std::string text) {
    lines_ = splitLines(text);
    next_ = 0;
    current_.clear();
}

void DataFileReader::close() {
    lines_.clear();
    next_ = 0;
}

void DataFileReader::read_line() {
    if (at_end()) {
        current_.clear();
        return;
    }
    current_ = lines_[next_++];
}

bool DataFileReader::starts_with(std::string_view key) const {
    return std::string_view(current_).substr(0, key.size()) == key;
}

std::int32_t DataFileReader::read_integer() {
    read_line();
    return parseInteger(current_);
}

Extended DataFileReader::read_decimal() {
    read_line();
    return parseDecimal(current_);
}

Currency DataFileReader::read_fixed() {
    read_line();
    return parseFixed(current_);
}

std::string DataFileReader::read_text() {
    read_line();
    return current_;
}

std::int32_t DataFileReader::read_optional_integer() {
    read_line();
    return isNoValue(current_) ? 0 : parseInteger(current_);
}

Extended DataFileReader::read_optional_decimal() {
    read_line();
    return isNoValue(current_) ? 0 : parseDecimal(current_);
}

void DataFileReader::failUnclosed() const {
    throw ReadFailure("a list is not closed by a line beginning with \"#\"");
}

void DataFileReader::failCapacity(std::size_t capacity) const {
    throw ReadFailure("a list holds more than " + std::to_string(capacity) + " entries");
}

std::vector<std::string> DataFileReader::readLineList(const std::filesystem::path& path,
                                                      std::size_t capacity) {
    DataFileReader reader;
    reader.open(path);
    std::vector<std::string> entries;
    reader.read_list(capacity, Unclosed::EndsList,
                     [&](std::size_t) { entries.push_back(reader.line()); });
    return entries;
}

}  // namespace tovra
