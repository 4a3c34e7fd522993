#pragma once

#include <string>
#include <string_view>

namespace tovra {

// Data files are code page 932 unless they start with a UTF-8 byte-order mark.
// Bytes that do not decode become U+FFFD rather than failing the file.
std::string decodeDataText(std::string_view bytes);

std::string cp932ToUtf8(std::string_view bytes);

// For writers of data files (the demo generator, tests). Characters without a
// CP932 form become "?".
std::string utf8ToCp932(std::string_view text);

}  // namespace tovra
