#pragma once

#include <memory>

#include "cab/Cab.h"
#include "headless/FakeSoundDevice.h"
#include "headless/FakeVideoSource.h"
#include "headless/HeaderPictureDecoder.h"
#include "headless/HeadlessHost.h"
#include "headless/MemorySettingsStore.h"
#include "headless/SimClock.h"
#include "headless/VirtualScheduler.h"

namespace tovra {

// A cab with the headless ports and the virtual scheduler, as tovra-sim and
// the scenario tests drive it.
struct HeadlessRun {
    // With `realSound` the cab plays through it instead of the fake device;
    // with `measureVideo` the videos are measured by it instead of their AVI
    // headers; with `keptPictures` the pictures come from it, which outlives
    // the run (see KeptPictures), instead of being read afresh.
    HeadlessRun(RunChoice choice, unsigned seed, SoundDevice* realSound = nullptr,
                VideoMeasure measureVideo = {}, PictureDecoder* keptPictures = nullptr)
        : sound(clock),
          video(std::move(measureVideo)),
          cab(CabPorts{host, realSound ? *realSound : static_cast<SoundDevice&>(sound), video,
                       keptPictures ? *keptPictures : static_cast<PictureDecoder&>(pictures),
                       store},
              std::move(choice), seed),
          scheduler(cab, host, clock) {}

    SimClock clock;
    HeadlessHost host;
    FakeSoundDevice sound;
    FakeVideoSource video;
    HeaderPictureDecoder pictures;
    MemorySettingsStore store;
    Cab cab;
    VirtualScheduler scheduler;
};

}  // namespace tovra
