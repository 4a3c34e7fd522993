#include "sim/Cab.h"

#include "ports/Host.h"

namespace tovra {

namespace {

constexpr const char* kPausedCaption = "運転再開(&S)";
constexpr const char* kRunningCaption = "一時停止(&S)";


}  // namespace

Cab::Cab(CabPorts ports, RunChoice choice, unsigned seed)
    : videoSource(ports.video), sound(ports.sound), random(seed), host(ports.host), ports_(ports), choice_(std::move(choice)) {}

void Cab::load() {
    KeysLocked = true;
    readProgramSettingsFiles();
    startCaption_ = settings.StartCaption;
    start1Click();
}

void Cab::readProgramSettingsFiles() {
    controllerCodes = loadControllerCodes(ports_.settings);
    ports_.host.setProgressText("設定ファイルを読み込んでいます");
    mascon = loadMasconTable(choice_.dataDir / "mascon.dat");
    settings = loadProgramSettings(choice_.dataDir / "velmoran.dat");
}

void Cab::MMTimer1Timer() {
    state.TractiveForce = 0;
    state.ResistForce = 0;
    state.LastTractiveForce = state.TractiveForce;
    state.MrPress -= 0.2L / settings.TickRate;
    advancePosition();
    state.Clock += 1;
}

// The distance run in 1/30 s, whatever TickRate says.
void Cab::advancePosition() {
    state.StepDistance = state.Speed != 0 ? state.Speed / 36000 * 33333 : 0;
    state.Position += state.StepDistance;
    state.RemainDistance = NextStopPosition - state.Position;
}

void Cab::Timer1Timer() { state.LogicTickCount += 1; }

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
        stopPhysicsTimer();
        logicTimerEnabled_ = false;
        ports_.host.setLogicTimerRunning(false);
        startCaption_ = kPausedCaption;
    } else {
        startPhysicsTimer();
        logicTimerEnabled_ = true;
        ports_.host.setLogicTimerRunning(true);
        startCaption_ = kRunningCaption;
    }
    KeysLocked = false;
}

}  // namespace tovra
