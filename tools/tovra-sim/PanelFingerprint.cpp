#include "PanelFingerprint.h"

#include <string>

#include "cab/Cab.h"

namespace tovra::sim {

namespace {

// FNV-1a: small, stable across builds and enough to tell two panels apart.
class Digest {
  public:
    void add(long long v) {
        for (int i = 0; i < 8; ++i) byte(std::uint8_t(std::uint64_t(v) >> (8 * i)));
    }
    void add(const std::string& text) {
        add(static_cast<long long>(text.size()));
        for (char c : text) byte(std::uint8_t(c));
    }
    std::uint64_t value() const { return hash_; }

  private:
    void byte(std::uint8_t b) {
        hash_ ^= b;
        hash_ *= 0x100000001b3ULL;
    }
    std::uint64_t hash_ = 0xcbf29ce484222325ULL;
};

}  // namespace

std::uint64_t panelFingerprint(const Cab& cab) {
    Digest d;
    for (const Sprite& s : cab.sprites.sprites()) {
        d.add(static_cast<long long>(s.picture));
        for (long long v : {s.x, s.y, s.width, s.height, s.depth, s.patternIndex, s.angle})
            d.add(v);
        d.add(s.visible);
    }
    const StatusTexts& t = cab.statusTexts;
    for (const std::string& label : t.labels) d.add(label);
    for (const std::string* text : {&t.signalText, &t.signalMessage, &t.limitText, &t.limitText2,
                                    &t.Commentary, &t.noticeText, &t.caption, &t.easyCabDoorLine}) {
        d.add(*text);
    }
    const ControllerState& c = cab.controller;
    const HandleTexts& h = cab.handleTexts;
    for (const std::string* text : {&h.MasconText, &h.BrakeText, &h.ReverserText, &h.GearText,
                                    &cab.statusTexts.doorSideText}) {
        d.add(*text);
    }
    for (bool refresh : c.panelRefresh) d.add(refresh);
    return d.value();
}

}  // namespace tovra::sim
