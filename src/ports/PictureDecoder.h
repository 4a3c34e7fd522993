#pragma once

#include <filesystem>
#include <memory>

#include "ports/Image.h"

namespace tovra {

// A decoded picture, shared by every sprite and cache that holds it: a picture
// kept between loadings is handed out again, never copied.
using SharedImage = std::shared_ptr<const Image>;

class PictureDecoder {
  public:
    virtual ~PictureDecoder() = default;
    // Null when the file is missing or cannot be decoded.
    virtual SharedImage decode(const std::filesystem::path& file) = 0;
};

}  // namespace tovra
