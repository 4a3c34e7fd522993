#include "app/CabSurface.h"

#include <QFontMetrics>
#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <cmath>

#include "app/QtImages.h"
#include "app/StatusLayout.h"
#include "app/TextFont.h"
#include "cab/Cab.h"
#include "view/CabPictures.h"
#include "view/PanelGauges.h"
#include "view/PanelMath.h"
#include "view/WaysidePictures.h"

namespace tovra {

namespace {

constexpr int kDotsPerMeter = 3780;  // 96 dpi: font sizes are points at 96 dpi
constexpr int kClockCentre = 25;
constexpr int kTextBox = 4000;

QRect textBox(int x, int y) {
    return {x, y, kTextBox, kTextBox};
}

// The pixels a sprite may touch: a turned one anywhere on the circle through
// its corners.
QRect spriteBounds(const SpriteLook& sprite) {
    const QRect target(sprite.x, sprite.y, sprite.width, sprite.height);
    if (sprite.angle % 256 == 0) return target;
    const int radius = int(std::ceil(std::hypot(sprite.width, sprite.height) / 2)) + 1;
    const QPoint centre = target.center();
    return {centre.x() - radius, centre.y() - radius, 2 * radius + 2, 2 * radius + 2};
}

QRegion waysideArea(const WaysideView& view) {
    QRegion area;
    for (const PlacedPicture& p : view.pictures)
        area += QRect(p.x, p.y, p.image->width, p.image->height);
    if (const auto& lamp = view.crossingLamp)
        area += QRect(lamp->x - 2, lamp->y - 2, lamp->diameter + 4, lamp->diameter + 4);
    return area;
}

QRegion clockArea(const Scene& scene) {
    QRegion area;
    for (const auto& hand : scene.clockHands) {
        const QPoint centre(scene.clockX + kClockCentre, scene.clockY + kClockCentre);
        const QPoint end(scene.clockX + hand[0], scene.clockY + hand[1]);
        area += QRect(centre, end).normalized().adjusted(-2, -2, 2, 2);
    }
    return area;
}

std::vector<SpriteLook> spriteLooks(const SpriteModel& sprites) {
    std::vector<SpriteLook> looks;
    for (const Sprite* sprite : sprites.drawOrder()) {
        looks.push_back({sprite->picture, sprite->patternIndex, sprite->x, sprite->y, sprite->width,
                         sprite->height, sprite->rotatable ? sprite->angle : 0, sprite->depth});
    }
    return looks;
}

}  // namespace

// Opaque, so that the window copies it to the screen without blending.
CabSurface::CabSurface() : surface_(kWidth, kHeight, QImage::Format_RGB32) {
    surface_.setDotsPerMeterX(kDotsPerMeter);
    surface_.setDotsPerMeterY(kDotsPerMeter);
    surface_.fill(Qt::black);
}

void CabSurface::setScale(double scale, double pixelRatio) {
    if (pixelRatio > 0) pixelRatio_ = pixelRatio;
    if (!(scale > 0) || scale == scale_) return;
    scale_ = scale;
    surface_ = QImage(shown(QRect(0, 0, kWidth, kHeight)).size(), QImage::Format_RGB32);
    surface_.setDotsPerMeterX(kDotsPerMeter);
    surface_.setDotsPerMeterY(kDotsPerMeter);
    surface_.fill(Qt::black);
}

QRect CabSurface::shown(const QRect& layout) const {
    if (scale_ == 1) return layout;
    // Edges rounded to the nearest pixel, so that neighbouring rectangles
    // stay neighbours.
    const auto at = [this](int v) { return int(std::lround(v * scale_)); };
    return QRect(
        QPoint(at(layout.left()), at(layout.top())),
        QPoint(at(layout.left() + layout.width()) - 1, at(layout.top() + layout.height()) - 1));
}

QRegion CabSurface::reaching(const QRegion& pixels) const {
    if (scale_ == 1) return pixels;
    QRegion layout;
    for (const QRect& r : pixels) {
        const int left = int(std::floor(r.left() / scale_));
        const int top = int(std::floor(r.top() / scale_));
        const int right = int(std::ceil((r.left() + r.width()) / scale_));
        const int bottom = int(std::ceil((r.top() + r.height()) / scale_));
        layout += QRect(left, top, right - left, bottom - top);
    }
    return layout;
}

QRegion CabSurface::shown(const QRegion& layout) const {
    if (scale_ == 1) return layout;
    // A picture scaled smoothly reaches a pixel past its edges.
    QRegion area;
    for (const QRect& r : layout) area += shown(r).adjusted(-1, -1, 1, 1);
    return area & QRegion(surface_.rect());
}

const QImage& CabSurface::keyedPicture(const SpriteModel& sprites, std::size_t index) {
    if (pictures_.size() < sprites.pictures().size()) pictures_.resize(sprites.pictures().size());
    const Picture& picture = sprites.pictures()[index];
    CachedPicture& cached = pictures_[index];
    if (cached.source != picture.image.get()) {
        cached.source = picture.image.get();
        cached.keyed =
            picture.image ? keyedImage(*picture.image, picture.transparentColour) : QImage();
    }
    return cached.keyed;
}

void CabSurface::drawSprites(QPainter& painter, const SpriteModel& sprites) {
    drawSprites(painter, spriteLooks(sprites), sprites,
                QRegion(0, 0, painter.device()->width(), painter.device()->height()));
}

void CabSurface::drawSprites(QPainter& painter, std::span<const SpriteLook> looks,
                             const SpriteModel& sprites, const QRegion& area) {
    // Scaled, a sprite may reach into the pixels around its rectangle.
    const int margin = scale_ == 1 ? 0 : 1;
    for (const SpriteLook& sprite : looks) {
        if (!area.intersects(spriteBounds(sprite).adjusted(-margin, -margin, margin, margin)))
            continue;
        const QImage& image = keyedPicture(sprites, sprite.picture);
        if (image.isNull()) continue;
        const PatternGrid grid = patternGrid(sprites.pictures()[sprite.picture]);
        if (sprite.patternIndex < 0 || sprite.patternIndex >= grid.count()) continue;
        const QRect source((sprite.patternIndex % grid.columns) * grid.width,
                           (sprite.patternIndex / grid.columns) * grid.height, grid.width,
                           grid.height);
        const QRectF target(sprite.x, sprite.y, sprite.width, sprite.height);
        if (sprite.angle % 256 != 0) {
            painter.save();
            painter.translate(target.center());
            painter.rotate(sprite.angle * 360.0 / 256.0);
            painter.translate(-target.center());
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(target, image, source);
            painter.restore();
        } else {
            painter.drawImage(target, image, source);
        }
    }
}

const QImage& CabSurface::keyedListImage(const Image& image) {
    auto [it, added] = listImages_.try_emplace(&image);
    if (added) it->second = keyedImage(image, bottomLeftColour(image));
    return it->second;
}

void CabSurface::drawWayside(QPainter& painter, const WaysideView& view) {
    for (const PlacedPicture& p : view.pictures)
        painter.drawImage(p.x, p.y, keyedListImage(*p.image));
    if (const auto& lamp = view.crossingLamp) {
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(QColor(40, 40, 40), 2));
        painter.setBrush(QColor(255, 40, 30));
        painter.drawEllipse(QRect(lamp->x, lamp->y, lamp->diameter, lamp->diameter));
        painter.restore();
    }
}

void CabSurface::drawTexts(QPainter& painter, const Scene& scene, DrawState& state) {
    const int w = scene.videoWidth;
    painter.save();
    painter.setClipRect(0, 0, w, scene.videoHeight, Qt::IntersectClip);
    for (const PlacedText& t : scene.texts.texts) {
        if (t.text.empty()) continue;
        const QString text = QString::fromStdString(t.text);
        painter.setFont(fittedStatusFont(text, t.size, w - t.x, &surface_));
        painter.setPen(Qt::black);
        painter.drawText(textBox(t.x + scene.texts.shadow, t.y + scene.texts.shadow),
                         Qt::AlignLeft | Qt::AlignTop, text);
        painter.setPen(Qt::white);
        painter.drawText(textBox(t.x, t.y), Qt::AlignLeft | Qt::AlignTop, text);
    }
    painter.restore();
    measureNotice(scene, state);
}

// The top message is centred by the width it took in the pass before, in
// the layout's units.
void CabSurface::measureNotice(const Scene& scene, DrawState& state) const {
    if (scene.notice.empty()) return;
    const int size = int(roundHalfEven(scene.videoWidth * 0.015L));
    state.noticeWidth = QFontMetrics(statusFont(size), &surface_)
                            .horizontalAdvance(QString::fromStdString(scene.notice));
}

// The texts at the size they are shown: the same layout, each font scaled
// and its glyphs drawn at that size.
void CabSurface::drawScaledTexts(QPainter& painter, const Scene& scene) {
    painter.save();
    painter.setClipRect(shown(QRect(0, 0, scene.videoWidth, scene.videoHeight)), Qt::IntersectClip);
    const qreal shadow =
        scene.texts.shadow > 0 ? std::max(1.0, std::round(scene.texts.shadow * scale_)) : 0.0;
    for (const PlacedText& t : scene.texts.texts) {
        if (t.text.empty()) continue;
        const QString text = QString::fromStdString(t.text);
        painter.setFont(
            fittedStatusFont(text, t.size * scale_, (scene.videoWidth - t.x) * scale_, &surface_));
        const QPointF at(std::round(t.x * scale_), std::round(t.y * scale_));
        const QRectF box(at, QSizeF(kTextBox * scale_, kTextBox * scale_));
        painter.setPen(Qt::black);
        painter.drawText(box.translated(shadow, shadow), Qt::AlignLeft | Qt::AlignTop, text);
        painter.setPen(Qt::white);
        painter.drawText(box, Qt::AlignLeft | Qt::AlignTop, text);
    }
    painter.restore();
}

Scene CabSurface::scene(Cab& cab, DrawState& state, const Image* still) {
    cab.showPanel();
    updateDrawnGauges(cab.sprites, cab.state, cab.vehicle, cab.runningSound.hornBlowing,
                      state.ammeterShown);
    Scene scene;
    scene.picture = still ? still : cab.video.picture.get();
    scene.pictureVersion = still ? 0 : cab.video.PictureVersion;
    scene.videoWidth = cab.settings.VideoWidth;
    scene.videoHeight = cab.settings.VideoHeight;
    // The still of a run not yet started carries no status texts.
    if (!still) {
        scene.texts = layoutStatusTexts(statusStringsOf(cab), scene.videoWidth, scene.videoHeight,
                                        cab.options.Information != 0, cab.options.Moji != 0,
                                        state.noticeWidth);
        scene.notice = cab.statusTexts.noticeText;
    }
    scene.sprites = spriteLooks(cab.sprites);
    scene.wayside = waysideView(cab.imageLists, cab.crossings, cab.lamps, cab.statusTexts,
                                cab.protection.traffic);
    const VehicleSpec& v = cab.vehicle;
    if (v.ClockX > 0 && v.ClockY > 0) {
        scene.clockX = v.ClockX;
        scene.clockY = v.ClockY;
        scene.clockHands.assign(cab.stations.clockHands.begin(), cab.stations.clockHands.end());
    }
    const StaffPictures& staff = cab.staff;
    if (staff.overlay) {
        scene.overlay = &*staff.overlay;
        scene.overlayX = staff.overlayX;
        if (staffSource_ != scene.overlay) {
            staffSource_ = scene.overlay;
            staffOverlay_ = keyedImage(*staff.overlay, staff.overlayTransparentColour);
        }
    }
    const FadeStep fade = stepFade(state.fadeLevel, cab.options.Tunnel != 0);
    scene.fadeLevel = std::min(fade.level, 255);
    scene.fadeBottom = cab.settings.VideoHeight + cab.settings.FadeExtraHeight;
    state.fadeLevel = fade.next;
    scene.closesWindow = fade.close;
    return scene;
}

QRegion CabSurface::changes(const Scene& drawn, const Scene& next) const {
    const QRegion whole = everywhere();
    // A still against the video, or a picture against none.
    if ((drawn.pictureVersion == 0) != (next.pictureVersion == 0) ||
        !drawn.picture != !next.picture || drawn.videoWidth != next.videoWidth ||
        drawn.videoHeight != next.videoHeight || drawn.overlay != next.overlay ||
        drawn.overlayX != next.overlayX || drawn.fadeLevel != 0 || next.fadeLevel != 0 ||
        drawn.sprites.size() != next.sprites.size())
        return whole;
    QRegion area;
    if (drawn.pictureVersion != next.pictureVersion || !(drawn.texts == next.texts))
        area += QRect(0, 0, next.videoWidth, next.videoHeight);
    for (std::size_t i = 0; i < next.sprites.size(); ++i) {
        if (drawn.sprites[i] == next.sprites[i]) continue;
        area += spriteBounds(drawn.sprites[i]);
        area += spriteBounds(next.sprites[i]);
    }
    if (!(drawn.wayside == next.wayside))
        area += waysideArea(drawn.wayside) + waysideArea(next.wayside);
    if (drawn.clockHands != next.clockHands || drawn.clockX != next.clockX ||
        drawn.clockY != next.clockY)
        area += clockArea(drawn) + clockArea(next);
    return area & whole;
}

void CabSurface::draw(const Scene& scene, const SpriteModel& sprites, DrawState& state,
                      const QRegion& area) {
    QPainter painter(&surface_);
    const bool whole = area == everywhere();
    const QRegion pixels = whole ? QRegion(surface_.rect()) : shown(area);
    if (!whole) painter.setClipRegion(pixels);
    const bool scaled = scale_ != 1;
    // Everything that reaches into those pixels is drawn again there.
    const QRegion reach = whole ? everywhere() : reaching(pixels);
    // The video picture covers its area; black shows wherever it does not.
    const QRect video = shown(QRect(0, 0, scene.videoWidth, scene.videoHeight));
    const QImage picture = scene.picture ? opaqueView(*scene.picture) : QImage();
    for (const QRect& bare : QRegion(surface_.rect()) - QRegion(picture.isNull() ? QRect() : video))
        painter.fillRect(bare, Qt::black);
    if (!picture.isNull() && reach.intersects(QRect(0, 0, scene.videoWidth, scene.videoHeight))) {
        // The decoder hands the video over at the size shown, to be copied;
        // anything else (a still, a picture from before a resize) is scaled
        // smoothly once it is shown at another scale than the layout's.
        painter.save();
        painter.setRenderHint(QPainter::SmoothPixmapTransform,
                              scaled && picture.size() != video.size());
        painter.drawImage(video, picture);
        painter.restore();
    }
    if (scaled) {
        drawScaledTexts(painter, scene);
        measureNotice(scene, state);
        // The rest is laid out in the layout's units; the pictures are
        // scaled from their own pixels as they are drawn.
        painter.scale(scale_, scale_);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
    } else {
        drawTexts(painter, scene, state);
    }
    // The wayside pictures lie among the sprites, just above the signs.
    const auto above = std::find_if(scene.sprites.begin(), scene.sprites.end(),
                                    [](const SpriteLook& s) { return s.depth > kSignDepth; });
    drawSprites(painter, std::span(scene.sprites.begin(), above), sprites, reach);
    drawWayside(painter, scene.wayside);
    drawSprites(painter, std::span(above, scene.sprites.end()), sprites, reach);
    painter.save();
    painter.setPen(QPen(Qt::black, 1));
    // Drawn at the size shown, the hands are lines a scaled pixel wide.
    painter.setRenderHint(QPainter::Antialiasing, scaled);
    for (const auto& hand : scene.clockHands) {
        painter.drawLine(scene.clockX + kClockCentre, scene.clockY + kClockCentre,
                         scene.clockX + hand[0], scene.clockY + hand[1]);
    }
    painter.restore();
    if (scene.overlay) painter.drawImage(scene.overlayX, 0, staffOverlay_);
    if (scene.fadeLevel > 0) {
        painter.fillRect(QRect(0, 0, scene.videoWidth, scene.fadeBottom),
                         QColor(0, 0, 0, scene.fadeLevel));
    }
}

}  // namespace tovra
