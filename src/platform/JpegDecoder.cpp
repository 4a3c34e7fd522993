#include "platform/JpegDecoder.h"

#include <bit>
#include <csetjmp>
#include <cstdio>

#include <jerror.h>
#include <jpeglib.h>

namespace tovra {

namespace {

static_assert(std::endian::native == std::endian::little,
              "BGRA bytes are 0xAARRGGBB words only on little-endian machines");

// Larger pictures are taken for damaged headers rather than allocated.
constexpr std::size_t kMaxPixels = std::size_t(1) << 26;

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
    bool truncated = false;
};

[[noreturn]] void fail(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->escape, 1);
}

// Warnings are not printed; a file that ends early counts as damaged, while
// other slips that libjpeg repairs on its own are let through.
void note(j_common_ptr info, int level) {
    if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF)
        reinterpret_cast<ErrorManager*>(info->err)->truncated = true;
}

// Kept free of objects with destructors: libjpeg leaves it by longjmp.
bool decodeInto(const unsigned char* data, std::size_t size, Image& out) {
    jpeg_decompress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = fail;
    errors.base.emit_message = note;
    errors.truncated = false;
    if (setjmp(errors.escape)) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, static_cast<unsigned long>(size));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGRA;  // alpha comes out as 0xFF
    jpeg_start_decompress(&info);
    const std::size_t pixels = std::size_t(info.output_width) * info.output_height;
    if (pixels == 0 || pixels > kMaxPixels) {
        jpeg_destroy_decompress(&info);
        return false;
    }
    out.width = int(info.output_width);
    out.height = int(info.output_height);
    out.pixels.resize(pixels);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = reinterpret_cast<JSAMPROW>(
            &out.pixels[std::size_t(info.output_scanline) * info.output_width]);
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return !errors.truncated;
}

}  // namespace

std::optional<Image> decodeJpeg(const unsigned char* data, std::size_t size) {
    Image picture;
    if (size == 0 || !decodeInto(data, size, picture)) return std::nullopt;
    return picture;
}

}  // namespace tovra
