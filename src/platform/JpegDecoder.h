#pragma once

#include <cstddef>
#include <optional>

#include "ports/Image.h"

namespace tovra {

// Decodes a JPEG held in memory with libjpeg-turbo; nothing when the data is
// not a JPEG, is damaged, or ends early.
std::optional<Image> decodeJpeg(const unsigned char* data, std::size_t size);

}  // namespace tovra
