#include "demo-gen/TitleArt.h"

#include <algorithm>

#include "demo-gen/DataText.h"
#include "demo-gen/ImageFiles.h"
#include "demo-gen/Renderer.h"
#include "demo-gen/TextPainter.h"

namespace tovra::demo {

namespace {

constexpr int kWidth = 800, kHeight = 600;

Canvas toCanvas(const RgbImage& image) {
    Canvas c(image.width, image.height);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            const std::uint8_t* p = image.row(y) + x * 3;
            c.at(x, y) = rgb(p[0], p[1], p[2]);
        }
    return c;
}

Canvas view(Renderer* renderer, const LinePlan& plan, Direction dir, double chainage) {
    RgbImage image(kWidth, kHeight);
    if (!renderer) {
        Canvas c(kWidth, kHeight);
        c.fillVerticalGradient(0, 0, kWidth, kHeight, rgb(90, 130, 190), rgb(60, 90, 60));
        return c;
    }
    const RunPlan& run = plan.run(dir);
    renderer->render(viewAt(plan, run, run.frameAt(chainage)), image);
    return toCanvas(image);
}

void shadowText(Canvas& c, const std::string& text, double x, double y, double size, Colour colour,
                Align align) {
    drawText(c, text, x + 3, y + 3, size, rgb(0, 0, 0, 0.6f), align, true);
    drawText(c, text, x, y, size, colour, align, true);
}

// The lettering ends above the title window's start prompt (y 540).
void titleLettering(Canvas& c) {
    c.fillVerticalGradient(0, 390, kWidth, kHeight, rgb(0, 0, 0, 0), rgb(0, 0, 0, 0.75f));
    shadowText(c, "ヴェルモラン", 400, 408, 64, rgb(255, 255, 255), Align::Centre);
    shadowText(c, "みなと線  北原 ─ 港町", 400, 488, 24, rgb(230, 236, 240), Align::Centre);
}

Canvas button(int w, int h, const std::string& title, const std::string& detail, Colour accent) {
    Canvas c(w, h);
    c.fillRect(0, 0, w, h, rgb(20, 24, 30));
    c.fillRect(2, 2, w - 2, h - 2, rgb(246, 246, 242));
    c.fillRect(2, 2, 12, h - 2, accent);
    drawText(c, title, 22, 5, 22, rgb(20, 20, 24), Align::Left, true);
    drawText(c, detail, 22, h - 21, 14, rgb(80, 80, 86));
    return c;
}

// Box blur, for the menu's quiet background.
Canvas blurred(const Canvas& source, int radius) {
    Canvas out = source;
    for (int pass = 0; pass < 2; ++pass) {
        const Canvas in = out;
        for (int y = 0; y < in.height(); ++y)
            for (int x = 0; x < in.width(); ++x) {
                Colour sum{0, 0, 0, 0};
                int n = 0;
                for (int d = -radius; d <= radius; ++d) {
                    const int sx = pass == 0 ? std::clamp(x + d, 0, in.width() - 1) : x;
                    const int sy = pass == 1 ? std::clamp(y + d, 0, in.height() - 1) : y;
                    const Colour& c = in.at(sx, sy);
                    sum.r += c.r, sum.g += c.g, sum.b += c.b, ++n;
                }
                out.at(x, y) = {sum.r / n, sum.g / n, sum.b / n, 1};
            }
    }
    return out;
}

}  // namespace

void writeTitlePictures(const std::filesystem::path& root, const LinePlan& plan, const Scene& scene,
                        bool render) {
    std::unique_ptr<Renderer> renderer =
        render ? std::make_unique<Renderer>(scene, kWidth, kHeight) : nullptr;
    const LineWorld& w = plan.world;
    const struct {
        Direction dir;
        double chainage;
    } shots[] = {{Direction::Down, w.stations[2].downStop - 260},
                 {Direction::Up, w.tunnelTo + 140},
                 {Direction::Down, w.crossing - 120},
                 {Direction::Up, w.bridgeTo + 160}};
    for (int k = 0; k < 4; ++k) {
        Canvas c = view(renderer.get(), plan, shots[k].dir, shots[k].chainage);
        titleLettering(c);
        char name[48];
        std::snprintf(name, sizeof name, "image\\title\\title%02d.jpg", k + 1);
        writeJpeg(onDisk(root, name), c.toRgb(rgb(0, 0, 0)));
    }
    Canvas menu = blurred(view(renderer.get(), plan, Direction::Down, w.stations[3].downStop - 400),
                          render ? 3 : 0);
    menu.fillRect(0, 0, kWidth, kHeight, rgb(10, 20, 40, 0.45f));
    shadowText(menu, "路線を選んでください", 70, 96, 28, rgb(255, 255, 255), Align::Left);
    shadowText(menu, "列車", 570, 462, 22, rgb(255, 255, 255), Align::Left);
    shadowText(menu, "右クリックで ほかの車両ファイルを選べます", 70, 350, 15, rgb(230, 230, 230),
               Align::Left);
    writeJpeg(onDisk(root, "image\\title\\title2.jpg"), menu.toRgb(rgb(0, 0, 0)));

    const Colour accents[] = {rgb(0, 140, 90), rgb(230, 120, 20), rgb(40, 100, 190)};
    for (int k = 0; k < 3; ++k) {
        const ServicePlan& s = plan.services[std::size_t(k)];
        const std::string detail = s.oneMan ? "ワンマン・緑町通過" : "車掌乗務・全駅停車";
        char name[48];
        std::snprintf(name, sizeof name, "image\\title\\line%02d.bmp", k + 1);
        writeBmp(onDisk(root, name),
                 button(320, 56, s.shortName, detail, accents[k]).toRgb(rgb(0, 0, 0)));
    }
    Canvas train(200, 84);
    train.fillRect(0, 0, 200, 84, rgb(20, 24, 30));
    train.fillRect(2, 2, 198, 82, rgb(246, 246, 242));
    train.fillRect(14, 12, 70, 74, rgb(196, 200, 206));
    train.fillRect(20, 20, 64, 42, rgb(40, 52, 64));
    train.fillRect(14, 50, 70, 55, rgb(0, 150, 90));
    train.fillCircle(24, 64, 4, rgb(255, 250, 200));
    train.fillCircle(60, 64, 4, rgb(255, 250, 200));
    drawText(train, "この列車で", 82, 14, 18, rgb(20, 20, 24), Align::Left, true);
    drawText(train, "運転する", 82, 40, 18, rgb(20, 20, 24), Align::Left, true);
    writeBmp(onDisk(root, "image\\title\\train1.bmp"), train.toRgb(rgb(0, 0, 0)));
}

}  // namespace tovra::demo
