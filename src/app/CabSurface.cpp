#include "app/CabSurface.h"

#include <QFontMetrics>
#include <QPainter>

#include "app/QtImages.h"
#include "app/StatusLayout.h"
#include "app/TextFont.h"
#include "sim/Cab.h"
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

}  // namespace

CabSurface::CabSurface() : surface_(kWidth, kHeight, QImage::Format_ARGB32_Premultiplied) {
    surface_.setDotsPerMeterX(kDotsPerMeter);
    surface_.setDotsPerMeterY(kDotsPerMeter);
    surface_.fill(Qt::black);
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
    for (const Sprite* sprite : sprites.drawOrder()) {
        const Picture& picture = sprites.pictureOf(*sprite);
        const QImage& image = keyedPicture(sprites, sprite->picture);
        if (image.isNull()) continue;
        // Patterns run left to right, then top to bottom.
        const int pw = picture.patternWidth > 0 ? picture.patternWidth : image.width();
        const int ph = picture.patternHeight > 0 ? picture.patternHeight : image.height();
        const int columns = std::max(1, image.width() / pw);
        const int rows = std::max(1, image.height() / ph);
        if (sprite->patternIndex < 0 || sprite->patternIndex >= columns * rows) continue;
        const QRect source((sprite->patternIndex % columns) * pw,
                           (sprite->patternIndex / columns) * ph, pw, ph);
        const QRectF target(sprite->x, sprite->y, sprite->width, sprite->height);
        if (sprite->rotatable && sprite->angle % 256 != 0) {
            painter.save();
            painter.translate(target.center());
            painter.rotate(sprite->angle * 360.0 / 256.0);
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

void CabSurface::drawWayside(QPainter& painter, const Cab& cab) {
    const WaysideView view = waysideView(cab.imageLists, cab.route, cab.settings.VideoWidth,
                                         cab.runningSound, cab.statusTexts, cab.protection.traffic);
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

void CabSurface::drawVideo(QPainter& painter, Cab& cab, DrawState& state, const Image& picture,
                           bool texts) {
    const int w = cab.settings.VideoWidth;
    const int h = cab.settings.VideoHeight;
    if (!picture.empty()) painter.drawImage(QRect(0, 0, w, h), toQImage(picture));
    if (!texts) return;

    const StatusLayout layout =
        layoutStatusTexts(statusStringsOf(cab), w, h, cab.options.Information != 0,
                          cab.options.Moji != 0, state.noticeWidth);
    painter.save();
    painter.setClipRect(0, 0, w, h);
    for (const PlacedText& t : layout.texts) {
        if (t.text.empty()) continue;
        const QString text = QString::fromStdString(t.text);
        painter.setFont(statusFont(t.size));
        painter.setPen(Qt::black);
        painter.drawText(textBox(t.x + layout.shadow, t.y + layout.shadow),
                         Qt::AlignLeft | Qt::AlignTop, text);
        painter.setPen(Qt::white);
        painter.drawText(textBox(t.x, t.y), Qt::AlignLeft | Qt::AlignTop, text);
    }
    painter.restore();
    // The top message is centred by the width it took in the pass before.
    const std::string& notice = cab.statusTexts.noticeText;
    if (!notice.empty()) {
        state.noticeWidth = QFontMetrics(statusFont(int(roundHalfEven(w * 0.015L))), &surface_)
                                .horizontalAdvance(QString::fromStdString(notice));
    }
}

void CabSurface::drawClock(QPainter& painter, const Cab& cab) {
    const VehicleSpec& v = cab.vehicle;
    if (v.ClockX <= 0 || v.ClockY <= 0) return;
    painter.save();
    painter.setPen(QPen(Qt::black, 1));
    for (const auto& hand : cab.stations.clockHands) {
        painter.drawLine(v.ClockX + kClockCentre, v.ClockY + kClockCentre, v.ClockX + hand[0],
                         v.ClockY + hand[1]);
    }
    painter.restore();
}

bool CabSurface::draw(Cab& cab, DrawState& state, const Image* still) {
    updateDrawnGauges(cab, state.ammeterShown);
    surface_.fill(Qt::black);
    QPainter painter(&surface_);
    // The still of a run not yet started carries no status texts.
    drawVideo(painter, cab, state, still ? *still : cab.video.picture, still == nullptr);
    drawSprites(painter, cab.sprites);
    drawWayside(painter, cab);
    drawClock(painter, cab);
    const StaffPictures& staff = cab.staff;
    if (staff.overlay) {
        if (staffSource_ != &*staff.overlay) {
            staffSource_ = &*staff.overlay;
            staffOverlay_ = keyedImage(*staff.overlay, staff.overlayTransparentColour);
        }
        painter.drawImage(staff.overlayX, 0, staffOverlay_);
    }
    const FadeStep fade = stepFade(state.fadeLevel, cab.options.Tunnel != 0);
    if (fade.level > 0) {
        const int bottom = cab.settings.VideoHeight + cab.settings.FadeExtraHeight;
        painter.fillRect(QRect(0, 0, cab.settings.VideoWidth, bottom),
                         QColor(0, 0, 0, std::min(fade.level, 255)));
    }
    state.fadeLevel = fade.next;
    return fade.close;
}

}  // namespace tovra
