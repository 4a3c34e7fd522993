#include "demo-gen/TextPainter.h"

#include <algorithm>
#include <cmath>
#include <mutex>
#include <string>

#ifdef TOVRA_DEMO_FONTS
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#endif

namespace tovra::demo {

namespace {

std::u32string decodeUtf8(std::string_view s) {
    std::u32string out;
    for (std::size_t i = 0; i < s.size();) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        const int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
        char32_t cp = extra == 0 ? c : c & (0x3F >> extra);
        for (int k = 1; k <= extra && i + std::size_t(k) < s.size(); ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(s[i + std::size_t(k)]) & 0x3F);
        out += cp;
        i += std::size_t(extra) + 1;
    }
    return out;
}

#ifdef TOVRA_DEMO_FONTS

// One FreeType face for the whole program; FreeType faces are not safe to use
// from two threads at once, so every use takes the lock.
class Font {
  public:
    static Font& instance() {
        static Font font;
        return font;
    }

    TextMask render(std::string_view utf8, double pixelSize, bool bold) {
        std::lock_guard lock(mutex_);
        TextMask mask;
        if (!face_) return mask;
        FT_Set_Pixel_Sizes(face_, 0, FT_UInt(std::max(1.0, std::round(pixelSize))));
        const auto ascender = int(std::ceil(face_->size->metrics.ascender / 64.0));
        const auto descender = int(std::floor(face_->size->metrics.descender / 64.0));
        mask.height = ascender - descender;
        const std::u32string text = decodeUtf8(utf8);
        const FT_Pos strength = bold ? FT_Pos(pixelSize * 2.5) : 0;
        // First pass: the advance width; second: the pixels.
        for (int pass = 0; pass < 2; ++pass) {
            int penX = 0;
            for (char32_t cp : text) {
                if (FT_Load_Char(face_, cp, FT_LOAD_NO_BITMAP) != 0) continue;
                if (strength) FT_Outline_Embolden(&face_->glyph->outline, strength);
                if (pass == 1) {
                    FT_Render_Glyph(face_->glyph, FT_RENDER_MODE_NORMAL);
                    const FT_Bitmap& bm = face_->glyph->bitmap;
                    const int left = penX + face_->glyph->bitmap_left;
                    const int top = ascender - face_->glyph->bitmap_top;
                    for (unsigned r = 0; r < bm.rows; ++r)
                        for (unsigned c = 0; c < bm.width; ++c) {
                            const int x = left + int(c), y = top + int(r);
                            if (x < 0 || y < 0 || x >= mask.width || y >= mask.height) continue;
                            auto& dst = mask.coverage[std::size_t(y) * std::size_t(mask.width) +
                                                      std::size_t(x)];
                            dst =
                                std::max<unsigned char>(dst, bm.buffer[r * unsigned(bm.pitch) + c]);
                        }
                }
                penX += int(std::lround((face_->glyph->advance.x + strength) / 64.0));
            }
            if (pass == 0) {
                mask.width = penX + 2;
                mask.coverage.assign(std::size_t(mask.width) * std::size_t(mask.height), 0);
            }
        }
        return mask;
    }

  private:
    Font() {
        if (FT_Init_FreeType(&library_) != 0) return;
        const std::string file = findFontFile();
        if (file.empty() || FT_New_Face(library_, file.c_str(), 0, &face_) != 0) face_ = nullptr;
    }
    ~Font() {
        if (face_) FT_Done_Face(face_);
        if (library_) FT_Done_FreeType(library_);
    }

    static std::string findFontFile() {
        std::string file;
        if (!FcInit()) return file;
        FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("IPAPGothic:lang=ja"));
        FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
            FcChar8* path = nullptr;
            if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch)
                file = reinterpret_cast<const char*>(path);
            FcPatternDestroy(match);
        }
        FcPatternDestroy(pattern);
        // No FcFini: the desktop program writes the demo line beside Qt, whose
        // windows use fontconfig on another thread all the while.
        return file;
    }

    std::mutex mutex_;
    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
};

#endif

}  // namespace

TextMask renderText(std::string_view utf8, double pixelSize, bool bold) {
#ifdef TOVRA_DEMO_FONTS
    return Font::instance().render(utf8, pixelSize, bold);
#else
    (void)utf8, (void)pixelSize, (void)bold;
    return {};
#endif
}

int drawText(Canvas& canvas, std::string_view utf8, double x, double top, double pixelSize,
             Colour colour, Align align, bool bold) {
    const TextMask mask = renderText(utf8, pixelSize, bold);
    double left = x;
    if (align == Align::Centre) left = x - mask.width / 2.0;
    if (align == Align::Right) left = x - mask.width;
    canvas.drawMask(mask.coverage, mask.width, int(std::lround(left)), int(std::lround(top)),
                    colour);
    return mask.width;
}

double fitText(std::string_view utf8, double pixelSize, double width, bool bold) {
    double size = pixelSize;
    while (size > 6) {
        if (renderText(utf8, size, bold).width <= width) break;
        size *= 0.92;
    }
    return size;
}

}  // namespace tovra::demo
