#pragma once

#include "ports/PictureDecoder.h"

namespace tovra {

// Pictures without an image library: uncompressed BMP is decoded in full;
// JPEG and PNG give their real size from the header, filled with grey. A file
// that is missing or not a picture gives nothing, as with the real decoder.
class HeaderPictureDecoder : public PictureDecoder {
  public:
    SharedImage decode(const std::filesystem::path& file) override;
};

}  // namespace tovra
