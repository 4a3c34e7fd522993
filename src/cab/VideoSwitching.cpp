#include "cab/VideoSwitching.h"

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

bool insideZone(const RouteSpec& route, const TrainState& s, std::int32_t station) {
    if (station < 0) return false;
    const StationRecord& r = route.stationOrEmpty(std::size_t(station));
    return r.zoneStart <= s.Position && s.Position <= r.zoneEnd;
}

void switchVideo(Cab& cab, const std::string& name) {
    cab.stopPhysicsTimer();
    reopenVideo(cab, name);
}

void returnToMainVideo(Cab& cab) {
    switchVideo(cab, cab.route.DataName);
}

// The train stops where it is: speed, power and every sound of the vehicle
// and the line after the first running sound.
void stopTrain(TrainState& s, FilmPace& film, SoundChannels& sound, const ChannelLayout& c) {
    s.Speed = 0;
    film.FrameAccumulator = 0;
    s.PowerHandle = 0;
    s.PowerNotch = 0;
    for (int channel = 1; channel <= c.engine + c.engineCount; ++channel) sound.stop(channel);
}

}  // namespace

void check_sub_videos(Cab& cab) {
    TrainState& s = cab.state;
    for (MovieSwitch& r : cab.route.MovieSwitches) {
        if (s.VideoMode[0] == 1 && insideZone(cab.route, s, r.Target) &&
            r.SoundFrame < s.SubFrame && s.SubFrame < r.SoundFrame + 10) {
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
        } else if (insideZone(cab.route, s, r.Target) && r.Time < s.Clock) {
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

void check_end_of_video(TrainState& s, FilmPace& film, const VideoState& v, SoundChannels& sound,
                        const ChannelLayout& channels, const RouteSpec& route) {
    if (s.VideoMode[0] >= 1) return;
    const std::int32_t end = route.MovieStopFrames[0];
    if (s.VideoMode[1] == 0 && s.Speed > 0 && end < s.Frame && s.Frame < end + 500) {
        s.Frame = end;
        stopTrain(s, film, sound, channels);
    } else if (s.VideoMode[1] == 1 && s.Speed < 0 && end - 500 < s.Frame && s.Frame < end) {
        s.Frame = end + 1;
        stopTrain(s, film, sound, channels);
    } else if (s.Speed < 0 && s.Frame < 1) {
        s.Frame = std::int32_t(std::min<std::int64_t>(1, std::max<std::int64_t>(v.FrameLimit, 0)));
        stopTrain(s, film, sound, channels);
    }
}

}  // namespace tovra
