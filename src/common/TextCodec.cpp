#include "common/TextCodec.h"

#include <iconv.h>

#include <cerrno>
#include <stdexcept>

namespace tovra {

namespace {

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
        }
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts all of input; a sequence that does not convert is replaced and
    // skipped (a whole character for UTF-8 input), so one bad character never
    // loses the rest of a line.
    std::string convert(std::string_view input, std::string_view replacement, bool utf8Input) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::string out;
        out.reserve(input.size() * 3 / 2 + 16);
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        char buffer[4096];
        while (inLeft > 0) {
            char* o = buffer;
            std::size_t oLeft = sizeof buffer;
            const std::size_t r = iconv(cd_, &in, &inLeft, &o, &oLeft);
            out.append(buffer, static_cast<std::size_t>(o - buffer));
            if (r == static_cast<std::size_t>(-1)) {
                if (errno == E2BIG) continue;
                // EILSEQ or EINVAL (truncated multibyte at the end).
                out.append(replacement);
                do {
                    ++in;
                    --inLeft;
                } while (utf8Input && inLeft > 0 && (static_cast<unsigned char>(*in) & 0xC0) == 0x80);
            }
        }
        return out;
    }

private:
    iconv_t cd_;
};

Converter& fromCp932() {
    thread_local Converter c("UTF-8", "CP932");
    return c;
}

Converter& toCp932() {
    thread_local Converter c("CP932", "UTF-8");
    return c;
}

}  // namespace

std::string cp932ToUtf8(std::string_view bytes) { return fromCp932().convert(bytes, "\xEF\xBF\xBD", false); }

std::string utf8ToCp932(std::string_view text) { return toCp932().convert(text, "?", true); }

std::string decodeDataText(std::string_view bytes) {
    constexpr std::string_view bom = "\xEF\xBB\xBF";
    if (bytes.substr(0, 3) == bom) return std::string(bytes.substr(3));
    return cp932ToUtf8(bytes);
}

}  // namespace tovra
