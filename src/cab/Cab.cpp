#include "cab/Cab.h"

#include "cab/LoadingSequence.h"
#include "common/DataPath.h"
#include "common/UiText.h"
#include "ports/Host.h"
#include "sound/RunningSounds.h"

namespace tovra {

namespace {

constexpr const char* kPausedCaption = uiTextMark("Cab", "運転再開(&S)");
constexpr const char* kRunningCaption = uiTextMark("Cab", "一時停止(&S)");

}  // namespace

Cab::Cab(CabPorts ports, RunChoice choice, unsigned seed)
    : videoSource(ports.video),
      sound(ports.sound),
      random(seed),
      host(ports.host),
      ports_(ports),
      choice_(std::move(choice)) {}

void Cab::load() {
    KeysLocked = true;
    asDataError([this] {
        options = loadUserOptions(ports_.settings);
        readProgramSettingsFiles();
        loadRun(*this, ports_, choice_);
    });
    startCaption_ = settings.StartCaption;
    runRecord.begin(vehicle.Brake);
    showPanel();
    start1Click();
}

void Cab::readProgramSettingsFiles() {
    controllerCodes = loadControllerCodes(ports_.settings);
    ports_.host.setProgressText(uiText("LoadingSequence", "設定ファイルを読み込んでいます"));
    mascon = loadMasconTable(resolveDataPath(choice_.dataDir, "mascon.dat"));
    settings = loadProgramSettings(resolveDataPath(choice_.dataDir, "velmoran.dat"));
}

void Cab::startPhysicsTimer() {
    physicsTimerRunning_ = true;
    ports_.host.setPhysicsTimerRunning(true);
}

void Cab::stopPhysicsTimer() {
    physicsTimerRunning_ = false;
    ports_.host.setPhysicsTimerRunning(false);
}

void Cab::start1Click() {
    if (logicTimerEnabled_) {
        pauseChannels(sound, runningSound);
        stopPhysicsTimer();
        logicTimerEnabled_ = false;
        ports_.host.setLogicTimerRunning(false);
        startCaption_ = uiText("Cab", kPausedCaption);
    } else {
        startPhysicsTimer();
        logicTimerEnabled_ = true;
        ports_.host.setLogicTimerRunning(true);
        startCaption_ = uiText("Cab", kRunningCaption);
        resumeChannels(sound, runningSound);
    }
    KeysLocked = false;
    video.ShownFrame -= 1;  // the next drawing pass draws the frame again
}

}  // namespace tovra
