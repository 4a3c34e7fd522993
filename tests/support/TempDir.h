#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "common/TextCodec.h"

namespace tovra::test {

// A fresh folder for one test, removed afterwards.
class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

    // Writes UTF-8 `text` as CP932 with CR LF line ends, as data files are.
    std::filesystem::path writeCp932(const std::string& name, std::string_view text) const;
    std::filesystem::path writeBytes(const std::string& name, std::string_view bytes) const;

  private:
    std::filesystem::path path_;
};

}  // namespace tovra::test
