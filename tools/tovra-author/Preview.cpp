#include "Preview.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "common/TextFields.h"
#include "report/ReportText.h"

namespace tovra::author {

namespace {

constexpr double kWidth = 1000, kHeight = 420;
constexpr double kLeft = 60, kRight = 960, kTop = 40, kBottom = 360;

std::string escaped(const std::string& text) {
    std::string out;
    appendEscaped(out, text);
    return out;
}

std::string number(double v) {
    return formatFixed(v, 1);
}

}  // namespace

std::string previewSvg(const RouteDraft& draft, const std::vector<SpeedPoint>& raw, double fps,
                       const std::string& caption) {
    const double toVideo = fps / 30;
    double top = 20;
    for (const SpeedUnit& u : draft.units)
        top = std::max({top, double(u.FirstSpeed) * toVideo, double(u.LastSpeed) * toVideo});
    for (const SpeedPoint& p : raw) top = std::max(top, std::min(p.kmh, 2 * top));
    top = std::ceil(top / 20) * 20;
    const double frames = std::max(1, draft.stopFrame);
    const auto x = [&](double frame) { return number(kLeft + (kRight - kLeft) * frame / frames); };
    const auto y = [&](double kmh) {
        return number(kBottom - (kBottom - kTop) * std::clamp(kmh, 0.0, top) / top);
    };

    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + number(kWidth) +
                      "\" height=\"" + number(kHeight) +
                      "\" font-family=\"sans-serif\" font-size=\"12\">\n";
    svg += "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
    svg += "<text x=\"" + number(kLeft) + "\" y=\"20\" font-size=\"14\">" + escaped(caption) +
           "</text>\n";
    for (double v = 0; v <= top; v += 20) {
        svg += "<line x1=\"" + number(kLeft) + "\" x2=\"" + number(kRight) + "\" y1=\"" + y(v) +
               "\" y2=\"" + y(v) + "\" stroke=\"#ddd\"/>\n";
        svg += "<text x=\"" + number(kLeft - 6) + "\" y=\"" + y(v) + "\" text-anchor=\"end\">" +
               std::to_string(int(v)) + "</text>\n";
    }
    svg += "<text x=\"" + number(kLeft) + "\" y=\"" + number(kBottom + 40) +
           "\">km/h against video frame; grey: measured, blue: the route's segments</text>\n";
    for (const StationMark& s : draft.stations) {
        svg += "<line class=\"station\" x1=\"" + x(s.frame) + "\" x2=\"" + x(s.frame) + "\" y1=\"" +
               number(kTop) + "\" y2=\"" + number(kBottom) +
               "\" stroke=\"#c33\" stroke-dasharray=\"4 3\"/>\n";
        svg += "<text x=\"" + x(s.frame) + "\" y=\"" + number(kBottom + 16) +
               "\" text-anchor=\"middle\" fill=\"#c33\">" + escaped(s.name) + "</text>\n";
    }
    if (!raw.empty()) {
        svg +=
            "<polyline id=\"measured\" fill=\"none\" stroke=\"#999\" stroke-width=\"1\" points=\"";
        for (const SpeedPoint& p : raw) svg += x(p.frame) + "," + y(p.kmh) + " ";
        svg += "\"/>\n";
    }
    svg += "<polyline id=\"fitted\" fill=\"none\" stroke=\"#14c\" stroke-width=\"1.5\" points=\"";
    for (const SpeedUnit& u : draft.units) {
        svg += x(u.FirstFrame) + "," + y(double(u.FirstSpeed) * toVideo) + " ";
        svg += x(u.LastFrame) + "," + y(double(u.LastSpeed) * toVideo) + " ";
    }
    svg += "\"/>\n</svg>\n";
    return svg;
}

void saveContactSheet(const std::filesystem::path& file, const std::vector<StationMark>& stations,
                      const std::vector<Image>& pictures) {
    constexpr int kThumb = 240, kColumns = 4, kLabel = 22, kGap = 6;
    int thumbHeight = kThumb * 9 / 16;
    for (const Image& p : pictures)
        if (!p.empty()) thumbHeight = kThumb * p.height / p.width;
    const int count = int(stations.size());
    const int columns = std::min(kColumns, std::max(1, count));
    const int rows = (count + columns - 1) / columns;
    QImage sheet(columns * (kThumb + kGap) + kGap, rows * (thumbHeight + kLabel + kGap) + kGap,
                 QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    const bool lettering = QGuiApplication::instance() != nullptr;
    for (int i = 0; i < count; ++i) {
        const int left = kGap + (i % columns) * (kThumb + kGap);
        const int top = kGap + (i / columns) * (thumbHeight + kLabel + kGap);
        const QRect cell(left, top, kThumb, thumbHeight);
        if (i < int(pictures.size()) && !pictures[i].empty()) {
            const Image& p = pictures[i];
            const QImage frame(reinterpret_cast<const uchar*>(p.pixels.data()), p.width, p.height,
                               p.width * 4, QImage::Format_RGB32);
            painter.drawImage(cell, frame);
        } else {
            painter.fillRect(cell, Qt::black);
        }
        if (lettering) {
            painter.setPen(Qt::black);
            painter.drawText(
                QRect(left, top + thumbHeight, kThumb, kLabel), Qt::AlignLeft | Qt::AlignVCenter,
                QString::fromUtf8(std::to_string(i) + " " + stations[i].name + " (frame " +
                                  std::to_string(stations[i].frame) + ")"));
        }
    }
    painter.end();
    if (!sheet.save(QString::fromStdString(file.string()), "PNG"))
        throw std::runtime_error(file.string() + ": cannot be written");
}

}  // namespace tovra::author
