#pragma once

namespace tovra {

// Which sound channel holds what: the vehicle's running sounds from channel
// 0, then the route's sounds, the motor sounds and the engine sounds without
// gaps; the call-out channel leaves one channel free after the engine sounds,
// and the message sound comes next. Numbers past the device's last channel
// name no channel.
struct ChannelLayout {
    int drive = 0;
    int driveCount = 0;
    int route = 0;
    int routeCount = 0;
    int motor = 0;
    int motorCount = 0;
    int engine = 0;
    int engineCount = 0;
    int callout = 1;
    int message = 2;

    static ChannelLayout of(int driveCount, int routeCount, int motorCount, int engineCount) {
        ChannelLayout l;
        l.driveCount = driveCount;
        l.route = driveCount;
        l.routeCount = routeCount;
        l.motor = l.route + routeCount;
        l.motorCount = motorCount;
        l.engine = l.motor + motorCount;
        l.engineCount = engineCount;
        l.callout = l.engine + engineCount + 1;
        l.message = l.callout + 1;
        return l;
    }

    // Route sound k (an index into the route's sound list). An index outside
    // the list names no channel rather than a motor or engine sound's.
    int routeChannel(int k) const { return k >= 0 && k < routeCount ? route + k : kNoChannel; }
    // Vehicle sound n; a number past the vehicle's sound list names no
    // channel rather than a route or motor sound's.
    int driveChannel(int n) const { return n >= 0 && n < driveCount ? drive + n : kNoChannel; }

    static constexpr int kNoChannel = -1;
};

}  // namespace tovra
