#include <algorithm>
#include <initializer_list>
#include <string>

#include "common/Numeric.h"
#include "common/UiText.h"
#include "view/Commentary.h"
#include "view/StatusTextUpdates.h"

namespace tovra {

namespace {

constexpr char kCode = '0';
constexpr std::int32_t kStationVideo = 1;
constexpr std::int32_t kEndApproachFrames = 200;
constexpr std::int32_t kVigilanceWarning = 600;  // logic ticks
constexpr const char* kEngineStall = uiTextMark(
    "Commentary", "エンストしました。変速レバーを変速段に入れてエンジンを再始動してください。");

bool faceIn(std::int32_t face, std::initializer_list<std::int32_t> faces) {
    return std::find(faces.begin(), faces.end(), face) != faces.end();
}

// What the facts of this tick have to say; the later rules win.
class CommentaryBuilder {
  public:
    explicit CommentaryBuilder(const CommentaryFacts& facts)
        : f_(facts), v_(roundHalfEven(facts.state.Speed)) {}

    std::string build() {
        doorSide();
        stationVideo();
        protectionSwitchedOff();
        endOfLine();
        protection();
        engineStall();
        return message_;
    }

  private:
    void say(std::size_t line) { message_ = kCode + infoLabelLine(f_.settings, line); }

    // One-man: the door side chosen does not match the platform.
    void doorSide() {
        if (f_.route.OneMan == 0 || f_.traction.doorsOpen || v_ > 0) return;
        const auto& stations = f_.route.Stations;
        for (std::size_t j = 0; j < stations.size() && j < f_.stations.progress.size(); ++j) {
            if (stations[j].kind != 0 || !f_.stations.progress[j].arrived) continue;
            const std::int32_t side = stations[j].platformSide;
            const std::int32_t chosen = f_.stations.doorSide;
            if (side == 0 && chosen == 1) {
                say(9);
            } else if (side == 1 && chosen == 0) {
                say(10);
            } else {
                message_ = std::string(1, kCode);
            }
        }
    }

    void stationVideo() {
        if (f_.state.VideoMode[0] == kStationVideo && f_.state.PowerHandle > 0) say(11);
    }

    // Switched off in the train settings, not by the option.
    void protectionSwitchedOff() {
        if (!f_.protection.AtsOn && f_.options.ATS == 0 && f_.state.PowerHandle > 1) say(21);
    }

    void endOfLine() {
        const std::int32_t stop = f_.route.MovieStopFrames[0];
        const std::int32_t frame = f_.state.Frame;
        if (v_ == 0 && frame > stop - kEndApproachFrames && frame <= stop) say(22);
    }

    void protection() {
        const TrainState& s = f_.state;
        const ProtectionState& p = f_.protection;
        if (s.ProtectService) {
            if (p.PatternState > 1) say(v_ != 0 ? 12 : 13);
        } else if (s.ProtectEmergency) {
            if (p.AtsAlarm && v_ != 0) {
                say(12);
            } else if (p.PatternState >= 2) {
                say(12);
            } else if (v_ == 0) {
                say(13);
            }
        } else if (p.AtsAlarm && p.AtsOn) {
            say(14);
        } else if (f_.protection.vigilanceCount > kVigilanceWarning) {
            say(15);
        } else {
            speedHints();
        }
    }

    void speedHints() {
        const std::int32_t face = f_.protection.SignalFace;
        if (faceIn(face, {8, 11, 14, 19, 23, 27, 31}) && v_ > 55) say(16);
        if (faceIn(face, {15, 24}) && v_ > 75) say(17);
        if (faceIn(face, {18, 22}) && v_ > 25) say(18);
        // Too fast to stop at the next stop with comfortable braking.
        const Extended speed = f_.state.Speed;
        const Extended remain = f_.state.RemainDistance;
        if (remain > 25000 && remain / 100 - 125 < speed / 5 * speed / 3.6L) {
            if (message_.empty()) message_ = std::string(1, kCode);
            message_ += infoLabelLine(f_.settings, 19);
        }
    }

    void engineStall() {
        if (f_.state.PowerHandle > 0 && f_.state.EngineState == 0 && v_ == 0)
            message_ = kCode + uiText("Commentary", kEngineStall);
    }

    const CommentaryFacts& f_;
    const std::int64_t v_;
    std::string message_;
};

}  // namespace

void update_commentary(StatusTexts& t, VideoState& video, const CommentaryFacts& facts) {
    std::string message = CommentaryBuilder(facts).build();
    if (message == t.Commentary) return;
    if (message.empty()) {
        t.noticeText.clear();
    } else if (message.front() == kCode) {
        t.noticeText = message.substr(1);
    }
    t.Commentary = std::move(message);
    const TrainState& s = facts.state;
    const std::int32_t frame = s.VideoMode[0] == 0 ? s.Frame : s.SubFrame;
    video.ShownFrame = frame - 1;  // the next drawing pass shows the new message
}

}  // namespace tovra
