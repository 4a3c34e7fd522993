#pragma once

#include <filesystem>
#include <random>
#include <string>

#include "data/ControllerFiles.h"
#include "data/ProgramSettings.h"
#include "sim/TrainState.h"

namespace tovra {

class Host;
class SoundDevice;
class VideoSource;
class PictureDecoder;
class SettingsStore;

// The outside world of one cab, as the core sees it.
struct CabPorts {
    Host& host;
    SoundDevice& sound;
    VideoSource& video;
    PictureDecoder& pictures;
    SettingsStore& settings;
};

// What the title screen hands to a new cab window.
struct RunChoice {
    std::filesystem::path dataDir;
    std::string routeFile;
    std::string vehicleFile = "train_E231.dat";
    std::filesystem::path vehicleDir;  // empty: the data folder
    int startStation = 0;
    int crewChangeStation = 0;
};

// One cab window's run: the data it loaded, the train's state and the ticks.
class Cab {
public:
    Cab(CabPorts ports, RunChoice choice, unsigned seed);

    // The loading sequence; throws DataError with the user's message. Ends by
    // starting the run (both timers, keys unlocked).
    void load();

    void MMTimer1Timer();  // physics tick, every 33 ms
    void Timer1Timer();    // logic tick, every 100 ms
    void start1Click();    // start/pause toggle

    bool running() const { return logicTimerEnabled_; }
    bool keysLocked() const { return KeysLocked; }
    const std::string& startCaption() const { return startCaption_; }

    TrainState state;
    ProgramSettings settings;
    MasconTable mascon;
    ControllerCodes controllerCodes;
    Extended NextStopPosition = 0;  // cm
    bool KeysLocked = true;

private:
    void readProgramSettingsFiles();
    void advancePosition();

    CabPorts ports_;
    RunChoice choice_;
    std::mt19937 random_;
    bool logicTimerEnabled_ = false;
    std::string startCaption_;
};

}  // namespace tovra
