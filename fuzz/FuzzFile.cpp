#include "FuzzFile.h"

#include <unistd.h>

#include <fstream>
#include <string>

namespace tovra::fuzz {

namespace {

struct Folder {
    std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("tovra-fuzz-" + std::to_string(getpid()));
    Folder() { std::filesystem::create_directories(path); }
    ~Folder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

}  // namespace

std::filesystem::path inputFile(const char* name, const std::uint8_t* data, std::size_t size) {
    static const Folder folder;
    const std::filesystem::path file = folder.path / name;
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), std::streamsize(size));
    return file;
}

}  // namespace tovra::fuzz
