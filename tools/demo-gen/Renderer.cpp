#include "demo-gen/Renderer.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "demo-gen/CabCamera.h"
#include "demo-gen/Synth.h"

namespace tovra::demo {

namespace {

constexpr double kNear = 0.6, kFar = 2200;
constexpr double kGrid = 0.5;  // m between the per-picture samples of the view ahead
constexpr int kGridCount = int(kFar / kGrid) + 3;
constexpr double kBucket = 20;
const Colour kHaze = rgb(206, 216, 226);

// Smooth noise along one axis, 0..1.
double noise1(double x) {
    const auto hash = [](long i) {
        std::uint64_t h = std::uint64_t(i) * 0x9E3779B97F4A7C15ull;
        h ^= h >> 29;
        h *= 0xBF58476D1CE4E5B9ull;
        h ^= h >> 32;
        return double(h & 0xFFFF) / 65535.0;
    };
    const double f = std::floor(x);
    const double t = x - f;
    const double s = t * t * (3 - 2 * t);
    return hash(long(f)) * (1 - s) + hash(long(f) + 1) * s;
}

// Share of [c - dz/2, c + dz/2] that falls on stripes `width` long every `pitch`.
double stripes(double c, double dz, double pitch, double width) {
    const auto area = [&](double t) {
        const double n = std::floor(t / pitch);
        return n * width + std::min(t - n * pitch, width);
    };
    if (dz < 1e-6) return std::fmod(std::fmod(c, pitch) + pitch, pitch) < width ? 1.0 : 0.0;
    return std::clamp((area(c + dz / 2) - area(c - dz / 2)) / dz, 0.0, 1.0);
}

Colour shade(Colour c, double f) {
    return scaled(c, float(f));
}

// Value noise over a lattice that repeats every `period` cells across, 0..1.
double noise2(double u, double v, int period, int seed) {
    const auto hash = [&](long i, long j) {
        std::uint64_t h = std::uint64_t(((i % period) + period) % period) * 0x9E3779B97F4A7C15ull ^
                          std::uint64_t(j) * 0xC2B2AE3D27D4EB4Full ^
                          std::uint64_t(seed) * 0x165667B19E3779F9ull;
        h ^= h >> 31;
        h *= 0xBF58476D1CE4E5B9ull;
        h ^= h >> 29;
        return double(h & 0xFFFF) / 65535.0;
    };
    const double fu = std::floor(u), fv = std::floor(v);
    const double tu = u - fu, tv = v - fv;
    const double su = tu * tu * (3 - 2 * tu), sv = tv * tv * (3 - 2 * tv);
    const long i = long(fu), j = long(fv);
    const double a = hash(i, j) + (hash(i + 1, j) - hash(i, j)) * su;
    const double b = hash(i, j + 1) + (hash(i + 1, j + 1) - hash(i, j + 1)) * su;
    return a + (b - a) * sv;
}

}  // namespace

ViewPoint viewAt(const LinePlan& plan, const RunPlan& run, int frame) {
    ViewPoint v;
    v.dir = run.dir;
    v.chainage = run.chainage(frame) - run.sign * kEyeBehindFront;
    const TrackPath& path = run.dir == Direction::Down ? plan.world.downPath : plan.world.upPath;
    v.lateral = path.lateral(v.chainage) + run.sign * kEyeLateral;
    v.heading = path.slope(v.chainage);
    v.filmFrame = frame;
    return v;
}

Renderer::Renderer(const Scene& scene, int width, int height)
    : scene_(scene),
      width_(width),
      height_(height),
      horizon_(int(std::lround(height * kHorizonShare))),
      focal_(kFocal * width / 800.0),
      cx_(width / 2.0) {
    // Sky, clouds and far hills all round, for the heading of each picture.
    panoramaWidth_ = int(std::lround(2 * std::numbers::pi * focal_));
    Canvas sky(panoramaWidth_, height_);
    sky.fillVerticalGradient(0, 0, panoramaWidth_, horizon_ + 1, rgb(104, 148, 204),
                             rgb(212, 222, 230));
    sky.fillRect(0, horizon_, panoramaWidth_, height_, kHaze);
    // Clouds from a few octaves of noise that wraps round the horizon,
    // stretched sideways, thinning towards the horizon.
    const double scale = height_ / 450.0;
    for (int y = 0; y < horizon_; ++y) {
        const double height = 1.0 - double(y) / horizon_;
        for (int x = 0; x < panoramaWidth_; ++x) {
            double density = 0, weight = 0.55;
            for (int octave = 0; octave < 4; ++octave) {
                const int period = 24 << octave;
                const double u = double(x) / panoramaWidth_ * period,
                             v = y / (36.0 * scale) * (1 << octave) * 0.5;
                density += weight * noise2(u, v, period, octave);
                weight *= 0.5;
            }
            const double cloud =
                std::clamp((density - 0.52) / 0.22, 0.0, 1.0) * std::min(1.0, height * 2.2);
            if (cloud <= 0) continue;
            const Colour white = mix(rgb(186, 192, 204), rgb(252, 252, 252),
                                     float(std::clamp((density - 0.5) * 3, 0.0, 1.0)));
            sky.blend(x, y, white, float(cloud * 0.9));
        }
    }
    const auto hills = [&](double base, double amplitude, int seed, Colour colour) {
        std::vector<Point> outline{{0, double(horizon_ + 4)}};
        for (int x = 0; x <= panoramaWidth_; x += 8) {
            const double a = 2 * std::numbers::pi * x / panoramaWidth_;
            const double h = base + amplitude * (0.5 * std::sin(3 * a + seed) +
                                                 0.3 * std::sin(7 * a + 2 * seed) +
                                                 0.2 * std::sin(17 * a + seed));
            outline.push_back({double(x), horizon_ - h * scale});
        }
        outline.push_back({double(panoramaWidth_), double(horizon_ + 4)});
        sky.fillPolygon(outline, colour);
    };
    hills(20, 16, 1, rgb(158, 172, 188));
    hills(9, 10, 4, rgb(118, 140, 118));
    panorama_.resize(std::size_t(panoramaWidth_) * std::size_t(height_) * 3);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < panoramaWidth_; ++x) {
            const Colour& c = sky.at(x, y);
            float* p =
                &panorama_[(std::size_t(y) * std::size_t(panoramaWidth_) + std::size_t(x)) * 3];
            p[0] = c.r, p[1] = c.g, p[2] = c.b;
        }
    // Darker corners, as a lens gives: a factor per column (per channel, in
    // bytes) and one per row.
    vignette_.resize(std::size_t(width_) * 3);
    for (int x = 0; x < width_; ++x) {
        const double dx = (x - cx_) / cx_;
        std::fill_n(&vignette_[std::size_t(x) * 3], 3, float(255.0 * (1.0 - 0.13 * dx * dx)));
    }
    for (int y = 0; y < height_; ++y) {
        const double dy = (y - height_ / 2.0) / (height_ / 2.0);
        rowVignette_.push_back(float(1.0 - 0.08 * dy * dy));
    }
    double lo = 1e9, hi = -1e9;
    for (const auto& g : scene_.ground) lo = std::min(lo, g.from), hi = std::max(hi, g.to);
    if (lo > hi) lo = hi = 0;  // nothing on the ground
    bucketStart_ = lo;
    buckets_.resize(std::size_t((hi - lo) / kBucket) + 2);
    for (std::size_t i = 0; i < scene_.ground.size(); ++i) {
        const auto& g = scene_.ground[i];
        for (auto b = std::size_t((g.from - lo) / kBucket);
             b <= std::size_t((g.to - lo) / kBucket) && b < buckets_.size(); ++b)
            buckets_[b].push_back(int(i));
    }
    off_.resize(kGridCount);
    ez_.resize(kGridCount);
    for (int z = 0; z <= int(kFar) + 1; ++z) fog_.push_back(float(1 - std::exp(-(z + 0.5) / kFar)));
    rowDepth_.resize(std::size_t(height_));
    colour_.resize(std::size_t(width_) * std::size_t(height_) * 3);
    scratch_.resize(std::size_t(width_) * 3);
    depth_.resize(std::size_t(width_) * std::size_t(height_));
}

double Renderer::offAt(double z) const {
    const double k = std::clamp(z / kGrid, 0.0, kGridCount - 1.001);
    const auto i = std::size_t(k);
    return off_[i] + (off_[i + 1] - off_[i]) * (k - double(i));
}

double Renderer::ezAt(double z) const {
    const double k = std::clamp(z / kGrid, 0.0, kGridCount - 1.001);
    const auto i = std::size_t(k);
    return ez_[i] + (ez_[i + 1] - ez_[i]) * (k - double(i));
}

float Renderer::fogAt(double z) const {
    return fog_[std::min(fog_.size() - 1, std::size_t(z))];
}

double Renderer::light(double c, double z) const {
    if (!tunnelAhead_) return outsideLight_;
    for (const auto& t : scene_.tunnels) {
        if (c <= t[0] || c >= t[1]) continue;
        const double daylight = std::max(std::exp(-(c - t[0]) / 9), std::exp(-(t[1] - c) / 9));
        // Dark but for the headlights and the daylight at the portals.
        return std::min(1.0, 0.05 + 0.6 * std::exp(-z / 20) + 0.7 * daylight);
    }
    return outsideLight_;
}

void Renderer::prepare(const ViewPoint& v) {
    dir_ = v.dir == Direction::Down ? 1 : -1;
    c0_ = v.chainage;
    eyeLateral_ = v.lateral;
    heading_ = v.heading;
    filmFrame_ = v.filmFrame;
    const Alignment& a = scene_.world->alignment;
    const double angle0 = a.angle(c0_), drift0 = a.drift(c0_), e0 = a.elevation(c0_);
    const double slope0 = dir_ * a.grade(c0_) / 1000.0;
    for (int k = 0; k < kGridCount; ++k) {
        const double z = k * kGrid, c = c0_ + dir_ * z;
        const double bend = dir_ * (a.drift(c) - drift0) - angle0 * z;
        off_[std::size_t(k)] = bend - dir_ * eyeLateral_ - heading_ * z;
        ez_[std::size_t(k)] = a.elevation(c) - e0 - slope0 * z;
    }
    yaw_ = (dir_ > 0 ? 0 : std::numbers::pi) + angle0 + heading_;
    // From inside a tunnel the world outside looks brighter.
    outsideLight_ = scene_.inTunnel(c0_) ? 1.25 : 1.0;
    tunnelAhead_ = false;
    for (const auto& t : scene_.tunnels)
        tunnelAhead_ |= dir_ * (t[1] - c0_) > 0 && dir_ * (t[0] - c0_) < kFar;
    pitchRows_ = focal_ * slope0;
    std::fill(depth_.begin(), depth_.end(), std::numeric_limits<float>::infinity());
}

void Renderer::shadePixel(std::size_t p, float r, float g, float b, float coverage, double z,
                          bool writeDepth) {
    if (float(z) >= depth_[p]) return;
    float* d = &colour_[p * 3];
    d[0] += (r - d[0]) * coverage;
    d[1] += (g - d[1]) * coverage;
    d[2] += (b - d[2]) * coverage;
    if (writeDepth) depth_[p] = float(z);
}

void Renderer::skyRow(int y) {
    const double shift = std::fmod(yaw_ * focal_ - cx_, double(panoramaWidth_)) + panoramaWidth_;
    const int first = int(shift) % panoramaWidth_;
    const int run = std::min(width_, panoramaWidth_ - first);
    const int source = std::clamp(y - int(std::lround(pitchRows_)), 0, height_ - 1);
    const float* row = &panorama_[std::size_t(source) * std::size_t(panoramaWidth_) * 3];
    float* out = &colour_[std::size_t(y) * std::size_t(width_) * 3];
    std::copy_n(row + std::size_t(first) * 3, std::size_t(run) * 3, out);
    std::copy_n(row, std::size_t(width_ - run) * 3, out + std::size_t(run) * 3);
}

void Renderer::ground() {
    std::fill(rowDepth_.begin(), rowDepth_.end(), -1.0);
    double top = height_ + 0.5, prevY = 0, prevZ = 0;
    int k = 0;
    for (double z = 0.4; z < kFar; z *= 1.01, ++k) {
        const double y = horizon_ + focal_ * (kEyeHeight - ezAt(z)) / z;
        if (y < top) {
            for (int row = std::min(height_ - 1, int(std::floor(top - 0.5))); row >= 0; --row) {
                const double centre = row + 0.5;
                if (centre >= top) continue;
                if (centre < y) break;
                double depth = z;
                if (k > 0 && prevY > y && centre <= prevY)
                    depth = prevZ + (z - prevZ) * (prevY - centre) / (prevY - y);
                rowDepth_[std::size_t(row)] = depth;
            }
            top = y;
        }
        prevY = y;
        prevZ = z;
    }
    std::vector<float> row(std::size_t(width_) *
                           4);  // RGB and how much of the pixel the ground covers
    for (int y = 0; y < height_; ++y) {
        const double z = rowDepth_[std::size_t(y)];
        if (z <= 0 || z > kFar) {
            skyRow(y);
            continue;
        }
        const double c = c0_ + dir_ * z;
        const double above =
            y > 0 && rowDepth_[std::size_t(y) - 1] > 0 ? rowDepth_[std::size_t(y) - 1] : z * 1.02;
        const double below = y + 1 < height_ && rowDepth_[std::size_t(y) + 1] > 0
                                 ? rowDepth_[std::size_t(y) + 1]
                                 : z / 1.02;
        const double dz = std::abs(above - below) / 2;
        const double a = focal_ * dir_ / z, b = cx_ + focal_ * offAt(z) / z;
        std::fill(row.begin(), row.end(), 0.0f);
        const auto bucket =
            std::size_t(std::clamp((c - bucketStart_) / kBucket, 0.0, double(buckets_.size() - 1)));
        for (int index : buckets_[bucket]) {
            const GroundBand& g = scene_.ground[std::size_t(index)];
            if (c < g.from || c >= g.to) continue;
            Colour col = g.colour;
            switch (g.surface) {
                case Surface::Grass:
                    col = shade(col, 0.9 + 0.18 * noise1(c / 7 + index * 3.7));
                    break;
                case Surface::Ballast:
                    col = shade(col, 0.94 + 0.1 * noise1(c / 1.3));
                    break;
                case Surface::Sleepers:
                    col = mix(rgb(104, 98, 88), col, float(stripes(c, dz, 0.6, 0.22)));
                    break;
                case Surface::Soil:
                    col = mix(col, shade(col, 0.7), float(stripes(c, dz, 1.1, 0.45)));
                    break;
                case Surface::RailHead:
                    col = shade(col, 1.0 + 0.25 * std::min(1.0, z / 60));
                    break;
                default:
                    break;
            }
            double x0 = a * scene_.lateral(g.left, c) + b, x1 = a * scene_.lateral(g.right, c) + b;
            if (x0 > x1) std::swap(x0, x1);
            x0 = std::max(0.0, x0);
            x1 = std::min(double(width_), x1);
            if (x1 <= x0) continue;
            const auto blendAt = [&](int i, float cover) {
                float* p = &row[std::size_t(i) * 4];
                p[0] += (col.r - p[0]) * cover;
                p[1] += (col.g - p[1]) * cover;
                p[2] += (col.b - p[2]) * cover;
                p[3] += (1 - p[3]) * cover;
            };
            const int i0 = int(x0), i1 = std::min(width_ - 1, int(x1));
            if (i0 == i1) {
                blendAt(i0, float(x1 - x0));
                continue;
            }
            blendAt(i0, float(i0 + 1 - x0));
            for (int i = i0 + 1; i < i1; ++i) {
                float* p = &row[std::size_t(i) * 4];
                p[0] = col.r, p[1] = col.g, p[2] = col.b, p[3] = 1;
            }
            blendAt(i1, float(x1 - i1));
        }
        const float lit = float(light(c, z)), fog = fogAt(z);
        for (int x = 0; x < width_; ++x)
            if (row[std::size_t(x) * 4 + 3] < 0.999f) {
                skyRow(y);  // the ground leaves a gap here, so the sky shows
                break;
            }
        const float hazeR = kHaze.r * fog, hazeG = kHaze.g * fog, hazeB = kHaze.b * fog,
                    keep = lit * (1 - fog);
        for (int x = 0; x < width_; ++x) {
            const float* s = &row[std::size_t(x) * 4];
            if (s[3] <= 0) continue;  // no ground here (the river): what lies beyond shows
            const std::size_t p = std::size_t(y) * std::size_t(width_) + std::size_t(x);
            // The bands were laid over black: take the colour back out of the coverage.
            const float unmix = keep / s[3];
            const float r = s[0] * unmix + hazeR, g = s[1] * unmix + hazeG,
                        b = s[2] * unmix + hazeB;
            if (s[3] >= 0.999f) {
                float* d = &colour_[p * 3];
                d[0] = r, d[1] = g, d[2] = b;
                depth_[p] = float(z);
            } else {
                shadePixel(p, r, g, b, s[3], z, s[3] > 0.5f);
            }
        }
    }
}

void Renderer::decks(const Scene& scene) {
    for (const Deck& d : scene.decks) {
        const double za = dir_ * (d.from - c0_), zb = dir_ * (d.to - c0_);
        const double zLo = std::max(kNear, std::min(za, zb)),
                     zHi = std::min(kFar, std::max(za, zb));
        if (zHi <= zLo) continue;
        for (int y = 0; y < height_; ++y) {
            const double yc = y + 0.5 - horizon_;
            double z = 0;
            bool ok = true;
            for (int it = 0; it < 3 && ok; ++it) {
                const double rise = kEyeHeight - d.height - (it == 0 ? 0 : ezAt(z));
                ok = rise / yc > 0;
                z = rise / yc * focal_;
            }
            if (!ok || z < zLo || z > zHi) continue;
            const double c = c0_ + dir_ * z;
            const double a = focal_ * dir_ / z, b = cx_ + focal_ * offAt(z) / z;
            const double xl = scene.lateral(d.left, c), xr = scene.lateral(d.right, c);
            const float lit = float(light(c, z)), fog = fogAt(z);
            const auto span = [&](double from, double to, Colour col) {
                double x0 = a * from + b, x1 = a * to + b;
                if (x0 > x1) std::swap(x0, x1);
                x0 = std::max(0.0, x0);
                x1 = std::min(double(width_), x1);
                const float r = col.r * lit + (kHaze.r - col.r * lit) * fog,
                            g = col.g * lit + (kHaze.g - col.g * lit) * fog,
                            bl = col.b * lit + (kHaze.b - col.b * lit) * fog;
                for (int i = int(x0); i <= std::min(width_ - 1, int(x1)) && x1 > x0; ++i) {
                    const float cover = float(std::min(x1, i + 1.0) - std::max(x0, double(i)));
                    shadePixel(std::size_t(y) * std::size_t(width_) + std::size_t(i), r, g, bl,
                               cover, z, cover > 0.5f);
                }
            };
            Colour base = d.colour;
            if (d.surface == Surface::Water)
                base = mix(base, rgb(150, 176, 186),
                           float(0.35 * stripes(c, std::abs(z * z / (focal_ * 3.5)), 4.0, 1.2)));
            span(xl, xr, base);
            z *= 0.9999;  // the lines on the platform lie on it, not under it
            if (d.surface == Surface::PlatformTop) {
                const double edge = d.edgeOnLeft ? xl : xr, in = d.edgeOnLeft ? 1 : -1;
                span(edge, edge + in * 0.12, rgb(236, 236, 230));
                span(edge + in * 0.8, edge + in * 1.1, rgb(230, 196, 40));
            }
        }
    }
}

void Renderer::walls(const Scene& scene) {
    for (const Wall& w : scene.walls) {
        const double za = dir_ * (w.from - c0_), zb = dir_ * (w.to - c0_);
        const double zLo = std::max(kNear, std::min(za, zb)),
                     zHi = std::min(kFar, std::max(za, zb));
        if (zHi <= zLo) continue;
        if (w.faces != 0) {
            const double nearC = c0_ + dir_ * zLo;
            if (w.faces * (eyeLateral_ - scene.lateral(w.at, nearC)) <= 0) continue;
        }
        const double top = std::max(w.topFrom, w.topTo);
        const bool sloped = w.topFrom != w.topTo;
        // The rise and fall of the line ahead over the wall's length bounds
        // the rows it can take; each pixel then checks its own height.
        double ezLow = 1e9, ezHigh = -1e9;
        for (int k = 0; k <= 16; ++k) {
            const double e = ezAt(zLo + (zHi - zLo) * k / 16);
            ezLow = std::min(ezLow, e), ezHigh = std::max(ezHigh, e);
        }
        const double eyeLow = kEyeHeight - ezHigh, eyeHigh = kEyeHeight - ezLow;
        for (int y = 0; y < height_; ++y) {
            const double yc = y + 0.5 - horizon_;
            double nearZ, farZ;
            if (yc > 0) {
                if (w.bottom >= eyeHigh) continue;
                farZ = focal_ * (eyeHigh - w.bottom) / yc;
                nearZ = top >= eyeLow ? kNear : focal_ * (eyeLow - top) / yc;
            } else {
                if (top <= eyeLow) continue;
                farZ = focal_ * (top - eyeLow) / -yc;
                nearZ = w.bottom <= eyeHigh ? kNear : focal_ * (w.bottom - eyeHigh) / -yc;
            }
            nearZ = std::max(nearZ, zLo);
            farZ = std::min(farZ, zHi);
            if (farZ <= nearZ) continue;
            const double cN = c0_ + dir_ * nearZ, cF = c0_ + dir_ * farZ;
            const double colN =
                cx_ + focal_ * (dir_ * scene.lateral(w.at, cN) + offAt(nearZ)) / nearZ;
            const double colF =
                cx_ + focal_ * (dir_ * scene.lateral(w.at, cF) + offAt(farZ)) / farZ;
            const double lo = std::max(0.0, std::min(colN, colF)),
                         hi = std::min(double(width_), std::max(colN, colF));
            const double ezN = ezAt(nearZ), ezF = ezAt(farZ);
            const double toT = std::abs(colF - colN) < 1e-9 ? 0 : 1 / (colF - colN);
            for (int x = int(lo); x < int(std::ceil(hi)); ++x) {
                const double t = std::clamp((x + 0.5 - colN) * toT, 0.0, 1.0);
                const double z = 1.0 / (1.0 / nearZ + t * (1.0 / farZ - 1.0 / nearZ));
                const double c = c0_ + dir_ * z;
                const double h = kEyeHeight - (ezN + (ezF - ezN) * t) - yc * z / focal_;
                const double wallTop =
                    sloped ? w.topFrom + (w.topTo - w.topFrom) *
                                             std::clamp((c - w.from) / (w.to - w.from), 0.0, 1.0)
                           : top;
                if (h > wallTop || h < w.bottom) continue;
                const double px = z / focal_;  // metres per pixel there
                Colour col = w.colour;
                switch (w.surface) {
                    case Surface::Facade: {
                        const double storey = std::fmod(h, 2.9);
                        const bool window = storey > 1.0 && storey < 2.2 && h < wallTop - 0.6;
                        col = mix(col, rgb(70, 86, 104),
                                  float(window ? stripes(c, px, 3.2, 1.7) : 0.0));
                        break;
                    }
                    case Surface::TunnelWall: {
                        const bool band = h > 4.0 && h < 4.25;
                        if (band)
                            col = mix(col, rgb(255, 236, 170),
                                      float(stripes(c, px, 25.0, 0.7)) * 3.0f);
                        if (h < 0.7) col = shade(col, 0.6);
                        break;
                    }
                    case Surface::Fence:
                        col = mix(col, rgb(80, 86, 90),
                                  float(stripes(c, px, 2.5, 0.1) + (h > wallTop - 0.08 ? 1 : 0)));
                        break;
                    case Surface::Girder:
                        col = shade(col,
                                    (h < -1.1 ? 0.7 : 1.0) * (1 - 0.3 * stripes(c, px, 1.6, 0.12)));
                        break;
                    case Surface::Grass:
                        col = shade(col, 0.85 + 0.25 * noise1(c / 5 + h / 3));
                        break;
                    case Surface::TrainSide: {
                        if (h > 2.05 && h < 3.05)
                            col = mix(rgb(40, 52, 64), col, float(stripes(c, px, 2.0, 0.25)));
                        else if (h > 1.75 && h < 1.95)
                            col = rgb(0, 150, 90);
                        else if (h > 3.8)
                            col = rgb(120, 124, 130);
                        col = mix(col, rgb(60, 62, 66), float(stripes(c, px, 5.0, 0.06)));
                        break;
                    }
                    default:
                        col = shade(col, w.faces < 0 ? 0.82 : 0.95);
                        break;
                }
                const float lit = float(light(c, z)), fog = fogAt(z);
                const std::size_t p = std::size_t(y) * std::size_t(width_) + std::size_t(x);
                shadePixel(p, col.r * lit + (kHaze.r - col.r * lit) * fog,
                           col.g * lit + (kHaze.g - col.g * lit) * fog,
                           col.b * lit + (kHaze.b - col.b * lit) * fog, 1.0f, z, true);
            }
        }
    }
}

void Renderer::boards(const Scene& scene) {
    struct Item {
        double z;
        const Board* board;
        const Sprite* sprite;
        bool mirrored;
    };
    std::vector<Item> items;
    for (const Board& b : scene.boards) {
        const double z = dir_ * (b.chainage - c0_);
        if (z < kNear || z > kFar) continue;
        const bool fromFront = b.facing == 0 || b.facing == dir_;
        const Sprite* s = fromFront ? b.front : b.back;
        if (fromFront && b.blink && (filmFrame_ / 15) % 2 == 1) s = b.blink;
        if (s) items.push_back({z, &b, s, !fromFront && b.facing != 0});
    }
    std::sort(items.begin(), items.end(), [](const Item& a, const Item& b) { return a.z > b.z; });
    for (const Item& it : items) {
        const Board& b = *it.board;
        const double z = it.z, c = b.chainage;
        const double centre = cx_ + focal_ * (dir_ * scene.lateral(b.centre, c) + offAt(z)) / z;
        const double half = focal_ * b.width / 2 / z;
        const double ez = ezAt(z);
        const double rowTop = horizon_ - focal_ * (b.top + ez - kEyeHeight) / z;
        const double rowBottom = horizon_ - focal_ * (b.bottom + ez - kEyeHeight) / z;
        const double left = centre - half, right = centre + half;
        if (right < 0 || left > width_ || rowBottom < 0 || rowTop > height_) continue;
        const double spanX = std::max(right - left, 1e-6),
                     spanY = std::max(rowBottom - rowTop, 1e-6);
        const int level = it.sprite->levelFor(it.sprite->width() / spanX);
        // Boards narrower than a pixel still show, faintly.
        const float thin = float(std::min(1.0, spanX)) * float(std::min(1.0, spanY));
        const float lit = float(light(c, z)), fog = fogAt(z);
        const int x0 = std::max(0, int(std::floor(left))),
                  x1 = std::min(width_ - 1, int(std::floor(right)));
        const int y0 = std::max(0, int(std::floor(rowTop))),
                  y1 = std::min(height_ - 1, int(std::floor(rowBottom)));
        const Sprite::Level& l = it.sprite->level(level);
        // Texel columns and weights are the same for every row of the board.
        columns_.clear();
        for (int x = x0; x <= x1; ++x) {
            double u = std::clamp((x + 0.5 - left) / spanX, 0.0, 1.0);
            if (it.mirrored) u = 1 - u;
            const double tx = u * l.w - 0.5;
            const int t0 = int(std::floor(tx));
            columns_.push_back(
                {std::clamp(t0, 0, l.w - 1), std::clamp(t0 + 1, 0, l.w - 1), float(tx - t0)});
        }
        const float zf = float(z);
        const float hazeR = kHaze.r * fog, hazeG = kHaze.g * fog, hazeB = kHaze.b * fog,
                    keep = lit * (1 - fog);
        for (int y = y0; y <= y1; ++y) {
            const double ty = std::clamp((y + 0.5 - rowTop) / spanY, 0.0, 1.0) * l.h - 0.5;
            const int r0 = int(std::floor(ty));
            const float fy = float(ty - r0);
            const Sprite::Texel* rowA =
                &l.texels[std::size_t(std::clamp(r0, 0, l.h - 1)) * std::size_t(l.w)];
            const Sprite::Texel* rowB =
                &l.texels[std::size_t(std::clamp(r0 + 1, 0, l.h - 1)) * std::size_t(l.w)];
            for (int x = x0; x <= x1; ++x) {
                const std::size_t p = std::size_t(y) * std::size_t(width_) + std::size_t(x);
                if (zf >= depth_[p]) continue;
                const Column& col = columns_[std::size_t(x - x0)];
                const Sprite::Texel &a = rowA[col.t0], &b = rowA[col.t1], &c2 = rowB[col.t0],
                                    &d = rowB[col.t1];
                const float top = a.a + (b.a - a.a) * col.fx, bottom = c2.a + (d.a - c2.a) * col.fx;
                const float alphaFull = top + (bottom - top) * fy;
                const float alpha = alphaFull * thin;
                if (alpha < 0.004f) continue;
                const auto lerp2 = [&](float pa, float pb, float pc, float pd) {
                    const float t = pa + (pb - pa) * col.fx, u = pc + (pd - pc) * col.fx;
                    return t + (u - t) * fy;
                };
                const float inv = keep / alphaFull;
                const float r = lerp2(a.r, b.r, c2.r, d.r) * inv + hazeR,
                            g = lerp2(a.g, b.g, c2.g, d.g) * inv + hazeG,
                            bl = lerp2(a.b, b.b, c2.b, d.b) * inv + hazeB;
                float* dst = &colour_[p * 3];
                dst[0] += (r - dst[0]) * alpha;
                dst[1] += (g - dst[1]) * alpha;
                dst[2] += (bl - dst[2]) * alpha;
                if (alpha > 0.5f) depth_[p] = zf;
            }
        }
    }
}

void Renderer::wires(const Scene& scene) {
    for (const Wire& w : scene.wires) {
        struct P {
            double x, y, z;
        };
        std::vector<P> points;
        for (double z = 1.5; z < 900; z *= 1.04) {
            const double c = c0_ + dir_ * z;
            if (c < w.from || c > w.to) continue;
            const double phase =
                std::fmod(std::abs(c), 100.0) / 50.0;  // zigzag across the pantograph
            const double lateral =
                scene.lateral(w.at, c) + w.stagger * (phase < 1 ? 2 * phase - 1 : 3 - 2 * phase);
            points.push_back({cx_ + focal_ * (dir_ * lateral + offAt(z)) / z,
                              horizon_ - focal_ * (w.height + ezAt(z) - kEyeHeight) / z, z});
        }
        for (std::size_t i = 0; i + 1 < points.size(); ++i) {
            P a = points[i], b = points[i + 1];
            // Only the part of the segment on the picture is walked.
            const auto clip = [&](P& p, const P& q, double edge, bool isX) {
                const double pv = isX ? p.x : p.y, qv = isX ? q.x : q.y;
                if ((pv < edge) == (qv < edge) || std::abs(qv - pv) < 1e-9) return;
                const double t = (edge - pv) / (qv - pv);
                p = {p.x + (q.x - p.x) * t, p.y + (q.y - p.y) * t, p.z + (q.z - p.z) * t};
            };
            for (int pass = 0; pass < 2; ++pass) {
                P& p = pass == 0 ? a : b;
                const P& q = pass == 0 ? b : a;
                if (p.y < -1) clip(p, q, -1, false);
                if (p.y > height_ + 1) clip(p, q, height_ + 1, false);
                if (p.x < -1) clip(p, q, -1, true);
                if (p.x > width_ + 1) clip(p, q, width_ + 1, true);
            }
            if ((a.x < -1 && b.x < -1) || (a.x > width_ + 1 && b.x > width_ + 1) ||
                (a.y < -1 && b.y < -1) || (a.y > height_ + 1 && b.y > height_ + 1))
                continue;
            const double len = std::hypot(b.x - a.x, b.y - a.y);
            const int steps = std::max(1, int(len * 1.5));
            for (int s = 0; s <= steps; ++s) {
                const double t = double(s) / steps;
                const double x = a.x + (b.x - a.x) * t, y = a.y + (b.y - a.y) * t,
                             z = a.z + (b.z - a.z) * t;
                const float weight = float(std::clamp(focal_ * 0.014 / z, 0.1, 0.9));
                const float lit = float(light(c0_ + dir_ * z, z));
                // Spread over the two rows the line passes between.
                const int ix = int(x), iy = int(std::floor(y - 0.5));
                if (ix < 0 || ix >= width_) continue;
                const float f = float(y - 0.5 - iy);
                for (int k = 0; k < 2; ++k) {
                    const int row = iy + k;
                    if (row < 0 || row >= height_) continue;
                    const float cover =
                        weight * (k == 0 ? 1 - f : f) / float(std::max(1.0, len / steps * 1.5));
                    shadePixel(std::size_t(row) * std::size_t(width_) + std::size_t(ix),
                               w.colour.r * lit, w.colour.g * lit, w.colour.b * lit,
                               std::min(1.0f, cover * 1.6f), z, false);
                }
            }
        }
    }
}

void Renderer::finish(RgbImage& out) {
    if (out.width != width_ || out.height != height_) out = RgbImage(width_, height_);
    const std::size_t stride = std::size_t(width_) * 3;
    float* __restrict scale = scratch_.data();
    const float* __restrict columns = vignette_.data();
    for (int y = 0; y < height_; ++y) {
        const float* __restrict c = &colour_[std::size_t(y) * stride];
        std::uint8_t* __restrict o = out.row(y);
        const float rv = rowVignette_[std::size_t(y)];
        for (std::size_t k = 0; k < stride; ++k) scale[k] = columns[k] * rv;
        // Integer clamping keeps this loop free of branches, so it vectorises.
        for (std::size_t k = 0; k < stride; ++k) {
            const int x = int(c[k] * scale[k] + 0.5f);
            o[k] = std::uint8_t(x < 0 ? 0 : x > 255 ? 255 : x);
        }
    }
}

void Renderer::render(const ViewPoint& view, RgbImage& out, const Scene* extra) {
    prepare(view);
    ground();
    for (const Scene* s : {&scene_, extra}) {
        if (!s) continue;
        decks(*s);
        walls(*s);
    }
    boards(scene_);
    if (extra) boards(*extra);
    wires(scene_);
    finish(out);
}

}  // namespace tovra::demo
