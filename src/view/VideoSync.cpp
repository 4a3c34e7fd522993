#include "view/VideoSync.h"

#include <cstdlib>

#include "cab/Cab.h"
#include "common/DataPath.h"
#include "ports/VideoSource.h"

namespace tovra {

bool reopenVideo(Cab& cab, const std::string& name) {
    cab.videoSource.close();
    // The picture stays on show until the new file gives one.
    cab.video.PictureFrame = -1;
    const std::string path = videoDataPath(cab.dataDir(), cab.settings.VideoDir + name);
    return cab.videoSource.open(resolveDataPath(cab.dataDir(), path));
}

namespace {

// The position the film gives for entering section i from section `from`.
Extended resyncPosition(const RouteSpec& route, std::size_t i, std::int32_t from) {
    if (i == 0) return 0;
    if (std::int32_t(i) > from) return Extended(route.SpeedUnits[i - 1].EndDistance);
    return Extended(route.SpeedUnits[i].EndDistance);
}

bool insideZone(const Cab& cab, std::int32_t station) {
    if (station < 0) return false;
    const StationRecord& s = cab.route.stationOrEmpty(std::size_t(station));
    return s.zoneStart <= cab.state.Position && cab.state.Position <= s.zoneEnd;
}

// Opens a video in place of the current one, with the physics tick stopped
// while the file changes.
void switchVideo(Cab& cab, const std::string& name) {
    cab.stopPhysicsTimer();
    reopenVideo(cab, name);
}

void returnToMainVideo(Cab& cab) {
    switchVideo(cab, cab.route.DataName);
}

// Every sound of the vehicle and the line after the first running sound.
void stopRunSounds(Cab& cab) {
    const ChannelLayout& c = cab.channels;
    for (int channel = 1; channel <= c.engine + c.engineCount; ++channel) cab.sound.stop(channel);
}

// The train stops where it is: speed, power and every running sound.
void stopTrain(Cab& cab) {
    cab.state.Speed = 0;
    cab.video.FrameAccumulator = 0;
    cab.state.PowerHandle = 0;
    cab.state.PowerNotch = 0;
    stopRunSounds(cab);
}

std::int32_t endFrame(const Cab& cab) {
    return cab.route.MovieStopFrames[0];
}

}  // namespace

void advance_frames(Cab& cab) {
    TrainState& s = cab.state;
    VideoState& v = cab.video;
    const auto speed = roundHalfAway(s.Speed);
    v.FrameAccumulator += std::int32_t(std::llabs(speed));
    const std::int32_t direction = s.Speed < 0 ? -1 : 1;
    if (v.FrameAccumulator >= v.FilmSpeed) {
        if (v.FilmSpeed == 0) {
            s.Frame += direction * v.FrameAccumulator * 2;
            v.FrameAccumulator = 0;
        } else {
            s.Frame += direction * (v.FrameAccumulator / v.FilmSpeed);
            v.FrameAccumulator %= v.FilmSpeed;
        }
    }
    const auto& units = cab.route.SpeedUnits;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const SpeedUnit& u = units[i];
        if (!(u.FirstFrame <= s.Frame && s.Frame < u.LastFrame)) continue;
        if (std::int32_t(i) != v.CurrentSection && v.CurrentSection != -1)
            s.Position = resyncPosition(cab.route, i, v.CurrentSection);
        v.FilmSpeed = std::int32_t(roundHalfAway(
            (u.LastSpeed - u.FirstSpeed) / (u.LastFrame - u.FirstFrame) * (s.Frame - u.FirstFrame) +
            u.FirstSpeed));
        v.CurrentSection = std::int32_t(i);
    }
    if (s.FollowVideoSpeed) s.Speed = v.FilmSpeed;
}

void step_sub_frame(Cab& cab) {
    TrainState& s = cab.state;
    if (s.VideoMode[0] == 1) {
        // A route faster than the physics rate still steps every tick.
        const std::int32_t every =
            cab.route.FrameRate > 0 ? cab.settings.TickRate / cab.route.FrameRate : 1;
        if (every <= 1 || s.Clock % every == 0) s.SubFrame += 1;
    } else if (s.VideoMode[0] == 2) {
        s.SubFrame = s.Frame - s.SubStart;
    }
}

void check_sub_videos(Cab& cab) {
    TrainState& s = cab.state;
    for (MovieSwitch& r : cab.route.MovieSwitches) {
        if (s.VideoMode[0] == 1 && insideZone(cab, r.Target) && r.SoundFrame < s.SubFrame &&
            s.SubFrame < r.SoundFrame + 10) {
            const int channel = cab.channels.routeChannel(r.Sound);
            if (!cab.sound.isPlaying(channel)) cab.sound.playOnce(channel);
        }
        if (roundHalfAway(s.Speed) != 0 || r.Mode != 2) {
            if (s.Frame < r.FirstFrame || s.Frame > r.LastFrame || r.Mode >= 2) {
                if (s.VideoMode[0] == 2 && s.SubEnd <= s.SubFrame && s.SubFrame <= s.SubEnd + 60 &&
                    s.Frame < r.Target) {
                    s.VideoMode[0] = 9;
                    returnToMainVideo(cab);
                    s.Frame = r.Target;
                    s.SubFrame = 0;
                    cab.startPhysicsTimer();
                    cab.video.ShownFrame = -1;
                    r.Done = true;
                    s.VideoMode[0] = 0;
                }
            } else if (s.VideoMode[0] == 0 && !r.Done && cab.physicsTimerRunning()) {
                s.VideoMode[0] = 9;
                s.SubFrame = s.Frame - r.FirstFrame;
                s.SubStart = r.FirstFrame;
                switchVideo(cab, r.File);
                s.SubEnd = r.Length;
                cab.video.PictureFrame =
                    cab.videoSource.fetch(1, cab.video.PictureFrame, cab.video.picture);
                ++cab.video.PictureVersion;
                cab.startPhysicsTimer();
                cab.video.ShownFrame = -1;
                s.VideoMode[0] = 2;
            }
        } else if (insideZone(cab, r.Target) && r.Time < s.Clock) {
            if (s.VideoMode[0] == 0 && !r.Done && cab.physicsTimerRunning()) {
                cab.stopPhysicsTimer();
                s.VideoMode[0] = 1;
                const StationRecord& station = cab.route.stationOrEmpty(std::size_t(r.Target));
                s.Frame = station.videoFrame;
                s.Position = station.stopPosition;
                s.SubFrame = 0;
                s.SubStart = s.Frame;
                switchVideo(cab, r.File);
                s.SubEnd = r.Length;
                cab.startPhysicsTimer();
                cab.video.ShownFrame = -1;
            }
            if (s.VideoMode[0] == 1 && s.SubFrame >= s.SubEnd) {
                returnToMainVideo(cab);
                s.VideoMode[0] = 0;
                s.SubFrame = 0;
                cab.startPhysicsTimer();
                cab.video.ShownFrame = -1;
                r.Done = true;
            }
        }
    }
}

bool inEndOfVideoWindow(const Cab& cab) {
    const TrainState& s = cab.state;
    const std::int32_t end = endFrame(cab);
    return (s.VideoMode[1] == 0 && s.Speed > 0 && end < s.Frame && s.Frame < end + 500) ||
           (s.VideoMode[1] == 1 && s.Speed < 0 && end - 500 < s.Frame && s.Frame < end);
}

void check_end_of_video(Cab& cab) {
    TrainState& s = cab.state;
    if (s.VideoMode[0] >= 1) return;
    const std::int32_t end = endFrame(cab);
    if (s.VideoMode[1] == 0 && s.Speed > 0 && end < s.Frame && s.Frame < end + 500) {
        s.Frame = end;
        stopTrain(cab);
    } else if (s.VideoMode[1] == 1 && s.Speed < 0 && end - 500 < s.Frame && s.Frame < end) {
        s.Frame = end + 1;
        stopTrain(cab);
    } else if (s.Speed < 0 && s.Frame < 1) {
        s.Frame = std::int32_t(
            std::min<std::int64_t>(1, std::max<std::int64_t>(cab.video.FrameLimit, 0)));
        stopTrain(cab);
    }
}

bool fetch_video_frame(Cab& cab) {
    const TrainState& s = cab.state;
    VideoState& v = cab.video;
    if (s.VideoMode[0] > 2 || s.Frame < 0) return false;
    if (s.VideoMode[0] == 0 && s.Frame > v.FrameLimit) return false;
    const std::int32_t wanted = s.VideoMode[0] == 0 ? s.Frame : s.SubFrame;
    if (wanted == v.ShownFrame) return false;
    const int got = cab.videoSource.fetch(wanted, v.PictureFrame, v.picture);
    // A frame past the end of the file keeps the last picture.
    if (got == wanted || wanted >= cab.videoSource.frameCount()) v.ShownFrame = wanted;
    if (got < 0 || got == v.PictureFrame) return false;
    v.PictureFrame = got;
    ++v.PictureVersion;
    return true;
}

void refetch_video_picture(Cab& cab) {
    cab.video.ShownFrame = -1;
    cab.video.PictureFrame = -1;
}

}  // namespace tovra
