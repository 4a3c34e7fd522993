#pragma once

#include "ports/PictureDecoder.h"

namespace tovra {

// Pictures from files: JPEG through libjpeg-turbo, BMP, PNG and the other
// formats Qt knows through QImage. The content decides, not the file name.
class PictureFileDecoder : public PictureDecoder {
  public:
    SharedImage decode(const std::filesystem::path& file) override;
};

}  // namespace tovra
