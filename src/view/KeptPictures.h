#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <list>
#include <map>

#include "ports/PictureDecoder.h"

namespace tovra {

// Keeps decoded pictures from one loading to the next in the same process, so
// that a run loaded again reads none of its picture files a second time. A
// file is known by its path, size and modification time: one changed on disk
// is decoded afresh. At most `budgetBytes` of pixels are kept; past that the
// pictures asked for longest ago are let go.
class KeptPictures : public PictureDecoder {
  public:
    static constexpr std::size_t kDefaultBudgetBytes = std::size_t(64) << 20;

    explicit KeptPictures(PictureDecoder& decoder, std::size_t budgetBytes = kDefaultBudgetBytes)
        : decoder_(decoder), budgetBytes_(budgetBytes) {}

    SharedImage decode(const std::filesystem::path& file) override;

    std::size_t keptBytes() const { return keptBytes_; }

  private:
    struct Version {
        std::uintmax_t size = 0;
        std::int64_t modifiedNs = 0;
        bool operator==(const Version&) const = default;
    };
    struct Kept {
        std::filesystem::path file;
        Version version;
        SharedImage picture;
        std::size_t bytes = 0;
    };
    using Entries = std::list<Kept>;

    void forget(Entries::iterator entry);

    PictureDecoder& decoder_;
    std::size_t budgetBytes_;
    std::size_t keptBytes_ = 0;
    Entries entries_;  // most recently asked for first
    std::map<std::filesystem::path, Entries::iterator> byFile_;
};

}  // namespace tovra
