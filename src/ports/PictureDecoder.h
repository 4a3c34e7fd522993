#pragma once

#include <filesystem>
#include <optional>

#include "ports/Image.h"

namespace tovra {

class PictureDecoder {
public:
    virtual ~PictureDecoder() = default;
    // Nothing when the file is missing or cannot be decoded.
    virtual std::optional<Image> decode(const std::filesystem::path& file) = 0;
};

}  // namespace tovra
