#include "view/PictureCache.h"

namespace tovra {

SharedImage PictureCache::decode(const std::filesystem::path& file) {
    const auto found = decoded_.find(file);
    if (found != decoded_.end()) return found->second;
    return decoded_.emplace(file, decoder_.decode(file)).first->second;
}

}  // namespace tovra
