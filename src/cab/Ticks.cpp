// The two ticks of a run: each calls its subsystems in their fixed order.
#include "cab/Cab.h"
#include "cab/Masconupdate.h"
#include "cab/PadInput.h"
#include "cab/SoundSteps.h"
#include "cab/VideoSwitching.h"
#include "sim/AirBrake.h"
#include "sim/Announcements.h"
#include "sim/BrakeForce.h"
#include "sim/Compressor.h"
#include "sim/Currents.h"
#include "sim/DieselEngine.h"
#include "sim/Doors.h"
#include "sim/EffectiveGradient.h"
#include "sim/EngineStart.h"
#include "sim/FilmPace.h"
#include "sim/Gearbox.h"
#include "sim/HandleDelays.h"
#include "sim/MotionTexts.h"
#include "sim/Protection.h"
#include "sim/Stations.h"
#include "sim/Timetable.h"
#include "sim/Traction.h"
#include "sim/TrainMotion.h"
#include "sound/CalloutQueue.h"
#include "view/Commentary.h"
#include "view/PanelGauges.h"
#include "view/SignalSprites.h"
#include "view/StatusTextUpdates.h"
#include "view/StopMarkers.h"
#include "view/VideoSync.h"

namespace tovra {

void Cab::MMTimer1Timer() {
    state.TractiveForce = 0;
    state.ResistForce = 0;
    compute_traction(state, vehicle, diesel, traction.doorsOpen);
    step_power_delay(state, vehicle);
    step_air_brake(state, vehicle, settings.TickRate);
    leak_main_reservoir(state, settings.TickRate);
    step_brake_delays(state, vehicle);
    step_engine_speed(state, diesel, vehicle);
    advance_frames(state, film, route);
    move_preceding_train(protection, state, route);
    advancePosition();
    state.Clock += 1;
    step_sub_frame(state, route, settings.TickRate);
    showPanel();
}

// The distance run in 1/30 s, whatever TickRate says.
void Cab::advancePosition() {
    state.StepDistance = state.Speed != 0 ? state.Speed / 36000 * 33333 : 0;
    state.Position += state.StepDistance;
    state.RemainDistance = NextStopPosition - state.Position;
}

void Cab::Timer1Timer() {
    update_section_limit(protection, state, route);
    remove_passed_preceding_train(protection, route);
    state.LogicTickCount += 1;
    update_speed_gauges(sprites, state, vehicle);
    compute_brake_force(state, vehicle);
    integrate_speed(state, motion, vehicle, route);
    update_motion_texts(motion, state);
    timecalc(stations, vehicle, state.Clock);
    step_compressor(state, traction, vehicle, sound);
    step_currents(state, traction, vehicle, settings.TickRate);
    updatePanelLamps(sprites, state, vehicle, traction);
    sample_gradient(state, motion, vehicle, route);
    ProtectionRecords records = protectionRecords();
    update_signal_aspects(records);
    show_signal_sprites(sprites, signalSprites, route, protection);
    step_traffic_signals(records);
    update_signal_limit(records);
    step_protection(records);
    showHandlesIfDue();
    step_gearbox(diesel, state, lamps, vehicle, traction.doorsOpen);
    showHandlesIfDue();
    step_engine_key(diesel, state, sound, vehicle);
    update_route_sounds(*this);
    StationRecords stationSteps = stationRecords();
    complete_door_closing(stationSteps);
    queue_requested_callouts(calloutRecords(), calloutRequests);
    check_door_safety(stationSteps);
    play_announcements(stationSteps);
    station_pass(stationSteps);
    queue_requested_callouts(calloutRecords(), calloutRequests);
    update_limit_text(statusTexts, state, protection, settings);
    place_stop_markers(sprites, state, stations, route, settings);
    update_running_sounds(*this);
    check_sub_videos(*this);
    check_end_of_video(state, film, video, sound, channels, route);
    kanko_queue_play(callouts, sound, channels, options, host);
    update_wayside_signs(sprites, statusTexts, calloutOffer, route, state);
    update_track_signs(sprites, route, state, protection, stations);
    update_wayside_animation(statusTexts, route, state.Frame);
    update_commentary(statusTexts, video,
                      {state, protection, stations, traction, route, settings, options});
    update_cab_labels(statusTexts, handleTexts, stations, motion, options.Moji != 0,
                      route.OneMan != 0);
    update_window_caption(statusTexts, host, route);
    update_easy_cab_door_line(statusTexts, stations, traction);
    if (gamePad_) pollGamePad(*this, *gamePad_);
    options.Tunnel = 1;  // visual effects are off once the run has started
    runRecord.afterLogicTick(state, protection, traction.doorsOpen);
    showPanel();
}

StationRecords Cab::stationRecords() {
    return {stations,         traction, lamps, sound,   calloutRequests, random,
            NextStopPosition, state,    route, vehicle, settings,        channels,
            routeSoundSeconds};
}

CalloutRecords Cab::calloutRecords() {
    return {callouts, calloutOffer, crossings, calloutWaves, route, state, protection, lamps};
}

ProtectionRecords Cab::protectionRecords() {
    return {state, protection, stations,      lamps,  sound,
            route, vehicle,    patternPoints, motion, traction};
}

void Cab::showHandlesIfDue() {
    if (state.handleDisplayDue) showHandleState(*this);
}

void Cab::showPanel() {
    show_panel_lamps(sprites, lamps);
    show_signal_sprites(sprites, signalSprites, route, protection);
}

}  // namespace tovra
