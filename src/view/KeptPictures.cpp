#include "view/KeptPictures.h"

#include <sys/stat.h>

namespace tovra {

namespace {

// A nothing kept still costs its bookkeeping.
constexpr std::size_t kEntryBytes = 256;

}  // namespace

SharedImage KeptPictures::decode(const std::filesystem::path& file) {
    struct stat st {};
    // Without a version to compare, a kept picture could be stale.
    if (::stat(file.c_str(), &st) != 0) return decoder_.decode(file);
    const Version version{std::uintmax_t(st.st_size),
                          std::int64_t(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};

    if (const auto found = byFile_.find(file); found != byFile_.end()) {
        if (found->second->version == version) {
            entries_.splice(entries_.begin(), entries_, found->second);
            return found->second->picture;
        }
        forget(found->second);
    }

    SharedImage picture = decoder_.decode(file);
    const std::size_t bytes =
        kEntryBytes + (picture ? picture->pixels.size() * sizeof(std::uint32_t) : 0);
    if (bytes > budgetBytes_) return picture;
    while (keptBytes_ + bytes > budgetBytes_) forget(std::prev(entries_.end()));
    entries_.push_front(Kept{file, version, picture, bytes});
    byFile_.emplace(file, entries_.begin());
    keptBytes_ += bytes;
    return picture;
}

void KeptPictures::forget(Entries::iterator entry) {
    keptBytes_ -= entry->bytes;
    byFile_.erase(entry->file);
    entries_.erase(entry);
}

}  // namespace tovra
