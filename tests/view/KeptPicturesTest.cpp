#include "view/KeptPictures.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "support/TempDir.h"

namespace tovra {
namespace {

// A picture one pixel high and as wide as the file is long; counts its reads.
class CountingDecoder : public PictureDecoder {
  public:
    SharedImage decode(const std::filesystem::path& file) override {
        ++reads;
        std::ifstream in(file, std::ios::binary);
        if (!in) return nullptr;
        const std::string bytes((std::istreambuf_iterator<char>(in)), {});
        Image image;
        image.width = int(bytes.size());
        image.height = 1;
        image.pixels.assign(bytes.size(), std::uint32_t(bytes[0]));
        return std::make_shared<const Image>(std::move(image));
    }
    int reads = 0;
};

TEST(KeptPictures, ReadsEachVersionOnceWithinItsBudget) {
    test::TempDir dir;
    const auto a = dir.writeBytes("a.bmp", std::string(10, 'a'));
    const auto b = dir.writeBytes("b.bmp", std::string(10, 'b'));
    const auto c = dir.writeBytes("c.bmp", std::string(10, 'c'));
    const auto large = dir.writeBytes("large.bmp", std::string(200, 'L'));
    CountingDecoder files;
    // Room for two ten-pixel pictures (40 bytes of pixels and the bookkeeping
    // each), not for three.
    KeptPictures kept(files, 2 * (40 + 256) + 100);

    EXPECT_EQ(kept.decode(a)->width, 10);
    EXPECT_EQ(kept.decode(a)->pixels[9], std::uint32_t('a'));
    EXPECT_EQ(files.reads, 1);
    // Handed out again, not copied.
    EXPECT_EQ(kept.decode(a).get(), kept.decode(a).get());

    // Changed on disk: read again, and the new picture kept.
    dir.writeBytes("a.bmp", std::string(12, 'A'));
    EXPECT_EQ(kept.decode(a)->width, 12);
    EXPECT_EQ(kept.decode(a)->width, 12);
    EXPECT_EQ(files.reads, 2);

    // Too large to keep: read every time, and nothing else let go for it.
    kept.decode(large);
    EXPECT_EQ(kept.decode(large)->width, 200);
    EXPECT_EQ(files.reads, 4);

    // Over the budget the picture asked for longest ago goes: b, not a.
    kept.decode(b);
    kept.decode(a);
    kept.decode(c);
    EXPECT_EQ(files.reads, 6);
    EXPECT_EQ(kept.decode(a)->width, 12);
    EXPECT_EQ(files.reads, 6);
    EXPECT_EQ(kept.decode(b)->pixels[0], std::uint32_t('b'));
    EXPECT_EQ(files.reads, 7);
    EXPECT_LE(kept.keptBytes(), 2 * (48 + 256) + 100u);

    // A missing file is nothing, each time it is asked for.
    EXPECT_FALSE(kept.decode(dir / "missing.bmp"));
    EXPECT_FALSE(kept.decode(dir / "missing.bmp"));
    EXPECT_EQ(files.reads, 9);
}

}  // namespace
}  // namespace tovra
