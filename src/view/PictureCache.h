#pragma once

#include <filesystem>
#include <map>

#include "ports/PictureDecoder.h"

namespace tovra {

// Decodes each picture file of one loading once: a route naming one large
// bitmap in many places reads and decodes it one time.
class PictureCache : public PictureDecoder {
  public:
    explicit PictureCache(PictureDecoder& decoder) : decoder_(decoder) {}

    SharedImage decode(const std::filesystem::path& file) override;

  private:
    PictureDecoder& decoder_;
    std::map<std::filesystem::path, SharedImage> decoded_;
};

}  // namespace tovra
