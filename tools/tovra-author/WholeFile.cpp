#include "WholeFile.h"

#include <fstream>
#include <stdexcept>
#include <string>

namespace tovra::author {

void writeWhole(const std::filesystem::path& file, std::string_view bytes) {
    std::filesystem::path temporary = file;
    temporary += ".partial";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), std::streamsize(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(temporary, ignored);
            throw std::runtime_error(file.string() + ": cannot be written");
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, file, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        throw std::runtime_error(file.string() + ": cannot be written");
    }
}

}  // namespace tovra::author
