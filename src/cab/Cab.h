#pragma once

#include <filesystem>
#include <random>
#include <string>

#include "data/ControllerFiles.h"
#include "data/PatternPoints.h"
#include "data/ProgramSettings.h"
#include "data/RouteSpec.h"
#include "data/UserOptions.h"
#include "data/VehicleSpec.h"
#include "input/ControllerState.h"
#include "input/ExternalControllerState.h"
#include "ports/ChannelLayout.h"
#include "ports/SoundChannels.h"
#include "report/RunRecorder.h"
#include "sim/CalloutOffer.h"
#include "sim/CrossingQueue.h"
#include "sim/DieselState.h"
#include "sim/FilmPace.h"
#include "sim/HandleState.h"
#include "sim/MotionState.h"
#include "sim/PanelLamps.h"
#include "sim/ProtectionRecords.h"
#include "sim/ProtectionState.h"
#include "sim/StationRecords.h"
#include "sim/StationState.h"
#include "sim/TractionState.h"
#include "sim/TrainState.h"
#include "sound/CabSounds.h"
#include "sound/CalloutQueue.h"
#include "sound/CalloutState.h"
#include "sound/RunningSoundState.h"
#include "view/CabPictures.h"
#include "view/HandleTexts.h"
#include "view/PanelLampSprites.h"
#include "view/SignalSprites.h"
#include "view/SpriteModel.h"
#include "view/StatusTexts.h"
#include "view/TextBand.h"
#include "view/VideoState.h"

namespace tovra {

class Host;
class SoundDevice;
class VideoSource;
class PictureDecoder;
class SettingsStore;
class GamePadInput;

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
    int crewChangeStation = 999;  // 999: no crew change
};

// One cab window's run: the data it loaded, the train's state and the ticks.
// Its data members are the run's shared records; the subsystems are free
// functions and small classes over them, called by the ticks in order.
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
    // The physics timer alone stops while a video file is switched.
    void startPhysicsTimer();
    void stopPhysicsTimer();
    bool physicsTimerRunning() const { return physicsTimerRunning_; }
    const std::filesystem::path& dataDir() const { return choice_.dataDir; }
    const std::string& routeFile() const { return choice_.routeFile; }
    const std::string& vehicleFile() const { return choice_.vehicleFile; }
    SettingsStore& settingsStore() { return ports_.settings; }
    // The game controller the logic tick polls while a controller type is
    // chosen; none until the program connects one.
    void setGamePad(GamePadInput* pad) { gamePad_ = pad; }
    bool keysLocked() const { return KeysLocked; }
    // The records the signals and the protection work on.
    ProtectionRecords protectionRecords();
    // The records the stations, the doors and the announcements work on.
    StationRecords stationRecords();
    // The records the driver's and the line's call-outs work on.
    CalloutRecords calloutRecords();
    // The handle texts and lamps, once the train itself has moved a handle.
    void showHandlesIfDue();
    // The lamps and signal sprites as the records have them, for drawing.
    void showPanel();
    const std::string& startCaption() const { return startCaption_; }

    UserOptions options;
    ProgramSettings settings;
    MasconTable mascon;
    ControllerCodes controllerCodes;
    VehicleSpec vehicle;
    RouteSpec route;

    TrainState state;
    TractionState traction;
    MotionState motion;
    DieselState diesel;
    HandleState handles;
    ControllerState controller;
    HandleTexts handleTexts;
    ExternalControllerState external;
    ProtectionState protection;
    PanelLamps lamps;
    RunningSoundState runningSound;
    CrossingQueue crossings;
    CalloutState callouts;
    StationState stations;
    CalloutRequests calloutRequests;
    CalloutOffer calloutOffer;
    StatusTexts statusTexts;
    RunRecorder runRecord;  // what the run did, for its report

    // Made by the loading sequence.
    PatternPoints patternPoints;
    SpriteModel sprites;
    SignalSprites signalSprites;
    ImageLists imageLists;
    StaffPictures staff;
    TextBand textBand;
    ChannelLayout channels;
    RouteSoundSeconds routeSoundSeconds{};
    CalloutWaves calloutWaves;
    FilmPace film;
    VideoState video;
    VideoSource& videoSource;
    SoundChannels sound;
    std::mt19937 random;
    Host& host;
    Extended NextStopPosition = 0;  // cm
    bool KeysLocked = true;

  private:
    void readProgramSettingsFiles();
    void advancePosition();

    CabPorts ports_;
    RunChoice choice_;
    bool logicTimerEnabled_ = false;
    bool physicsTimerRunning_ = false;
    GamePadInput* gamePad_ = nullptr;
    std::string startCaption_;
};

}  // namespace tovra
