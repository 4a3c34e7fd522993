// tovra-sim: the headless driver. Loads a data folder with the same loaders
// and the same Cab as the desktop program, drives it on simulated time, writes
// traces, checks data files and measures speed.
#include <cstdio>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchVideoCommand.h"
#include "Commands.h"
#include "SimBenchmarks.h"
#include "SimRemote.h"
#include "common/DataError.h"
#include "platform/OpenAlSoundDevice.h"
#include "platform/Translation.h"
#include "platform/VideoDecoder.h"

namespace {

constexpr const char* kUsage = R"(tovra-sim: headless driver, data checker and benchmark of tovra

Usage:
  tovra-sim --help | --version
  tovra-sim --bench [Google Benchmark options, e.g. --benchmark_filter=REGEX]
      Write a quick demo set to a temporary folder and measure how fast the
      simulation runs, driven by the built-in driver of `bench`: on the demo
      line and on the same line with 500 signals. The counter x_real_time is
      simulated time over wall time.
  tovra-sim check --data DIR [--route FILE] [--vehicle FILE] [--vehicle-dir DIR]
                  [--start-station N]
      Check the data files of DIR and report every problem with its file and
      line or key: the program settings files (velmoran.dat, mascon.dat);
      with --vehicle or --route the vehicle file and every picture and sound
      it names; with --route the route file and every picture, sound and
      video it names, then, when all of that is in order, the whole loading
      sequence of the program. Unlike the program, which stops at the first
      error, check goes on and lists every problem it finds.
      Exit 0 when clean, 2 otherwise.
  tovra-sim tables --data DIR --route FILE [--vehicle FILE] [--vehicle-dir DIR]
                   [--start-station N]
      Load the run as the program does and print its derived tables as JSON
      on stdout: speedUnits, stations (stop positions and zones),
      patternPoints, startClock, startFrame, startPosition, channels (first
      channel of the drive, route, motor and engine sounds, the call-out and
      message channels), routeSoundSeconds and sprites.
      Messages the program would show (a missing video) go to stderr.

  Options choosing the run, as the title screen does:
      --data DIR          the program folder: settings, route files, pictures
      --route FILE        route file in DIR, e.g. line_rapid_down.dat
      --vehicle FILE      vehicle file (default train_E231.dat)
      --vehicle-dir DIR   folder of the vehicle file and its pictures and
                          sounds (default DIR)
      --start-station N   station the run starts at (default 0, the start of
                          the line)
  tovra-sim run --data DIR --route FILE [--vehicle FILE] [--vehicle-dir DIR]
                [--start-station N] [--script FILE] [--seconds S] [--until-end]
                [--trace FILE] [--trace-every N] [--trace-panel] [--events FILE] [--seed N]
                [--sound fake|openal] [--report FILE]
                [--realtime [--stats] [--remote [ADDR:]PORT [--remote-token T]]]
      Load the run as the program does and drive it on simulated time: the
      physics tick every 33 1/3 ms, the logic tick every 100 ms, for S
      seconds (default 60).
      --until-end       stop when the run ends (last station or crew
                        change); S then bounds the run (default 4 hours)
      --script FILE     inputs to play, one per line "<seconds> <command>
                        [args]"; lines beginning with "#" are remarks:
                          char <c>          a typed character ("space" for " ")
                          key <name> [shift]  key down: F1..F12, Enter,
                                            Backspace, PageUp, PageDown,
                                            ScrollLock, Up, Down
                          keyup <name>      key up
                          hold 3|4 on|off   hold or release the horn/buzzer key
                          wheel up|down     a turn of the mouse wheel
                          serial <text>     a message of the serial master
                                            controller (the carriage return
                                            is added)
                          pad <x> <y> <buttons>  a reading of the game
                                            controller; buttons as a bit
                                            mask of buttons 0-15
                          menu controller 0-3  the game controller type
                                            (0 none, 1 two levers, 2 adapter,
                                            3 one handle)
                          menu start        start/pause
                          menu save 1-3     save the driving state
                          menu restore 1-3  restore a saved state
                          menu move <station>  move the train to a station
                                            the Move menu offers
      --trace FILE      write a CSV trace with a header row; "-" for stdout.
                        Columns: t (seconds), clock (1/30 s ticks since
                        midnight), position (cm), speed (km/h), frame,
                        reverser, power_handle, power_notch, brake_handle,
                        brake_notch, bc_m, bc_t, er, bp, mr, sap (kPa),
                        elec_current, ammeter (A), tractive_force,
                        resist_force, brake_force (N), gradient (permil),
                        adhesion, slip, engine_rpm, engine_state, gear,
                        mascon_text, brake_text, doors_open, door_opening,
                        station_index, next_stop, remain (cm),
                        station_text, clock_text, run_ended, signal_face,
                        signal_limit, section_limit, pattern_speed,
                        pattern_brake, pattern_warn, pattern_state,
                        protect_service, protect_emergency, ats_alarm,
                        pre_train_frame, limit_text, notice, line_voltage
      --trace-every N   one row every N logic ticks (default 1)
      --trace-panel     a last column, panel: a digest of every sprite's
                        place, picture and visibility and of the texts the
                        cab shows, to compare two runs' pictures tick by tick
      --events FILE     one JSON object per line, with the simulated time:
                        every sound-channel operation (with the wave file
                        of each play), every message, every call-out queued
                        and played, every protection log line
      --sound KIND      fake (default): sounds take their real length on
                        simulated time, nothing is heard; openal: the real
                        sound device, and the run keeps pace with the wall
                        clock
      --report FILE     at the end, write the run report: an HTML page
                        (speed over the limits, time against the timetable,
                        stops, protection, energy, score) and the record as
                        CSV beside it (FILE with ".csv"); the best earlier
                        report of the same route and train in FILE's folder
                        is drawn under the speed curve
      --seed N          seed of the cab's random numbers (default 1)
      --realtime        keep pace with the wall clock (one physics tick
                        every 1/30 s)
      --stats           with --realtime: every 10 s on stderr, how late the
                        physics ticks began at worst and on average, the
                        longest tick, the memory, and the remote server's
                        counters
      --remote [ADDR:]PORT
                        with --realtime: serve the remote interface (state,
                        stream, commands, panel and touch pages; README "A
                        second screen and a tablet") on ADDR (default
                        127.0.0.1; port 0 picks a free one) and print
                        "tovra: remote at http://ADDR:PORT/ token TOKEN"
      --remote-token T  the token instead of a random one (8 to 128 letters,
                        digits, "-", ".", "_", "~")
  tovra-sim bench --data DIR --route FILE [--vehicle FILE] [--vehicle-dir DIR]
                  [--start-station N] [--hours H] [--seed N] [--record FILE]
      Drive the run with the built-in driver (power to a little under the
      limit, coast, brake for lower limits and to each stop, wait while the
      doors are open) for H hours of simulated time (default 1), loading the
      run afresh when it ends, and print how many times faster than real
      time the ticks ran, the loading time, the distance, the stops worked
      and missed and the times the protection braked the train.
      --record FILE     write the driver's inputs of the first run as a
                        script for `run --script`
  tovra-sim soak --data DIR --route FILE [--vehicle FILE] [--vehicle-dir DIR]
                 [--start-station N] --hours H --seed N
      Drive the run for H hours of simulated time with random inputs of every
      kind (keys with and without shift, the wheel, serial garbage and valid
      messages, game-controller readings, menus with valid and invalid
      arguments) and check after every tick: every number of the train's
      state finite, no pressure below 0, a plausible speed, the clock moving
      on while the run goes, a reset at rest with the emergency brake
      releasing the protection brakes, no sound channel beyond the device.
      The first breach is printed with the seed and the tick (exit 3); each
      simulated hour prints the peak memory.
  tovra-sim bench-video FILE [--frames N] [--back N] [--jumps N] [--paced N]
                          [--creep N] [--seed N]
      Measure the real video source on FILE in milliseconds per frame
      (median, mean, worst) and processor time per frame: waiting for each
      exact frame stepping forward through the first N frames (default 1800)
      and backward from the last (default 300); on random jumps (default
      200, seeded), the caller's fetch and the time until the exact frame is
      there; and the cab's drawing pass fetching after each 1/30 s tick,
      forward a frame a tick (default 150) and reversing at 5 km/h on film
      taken at 60 km/h (default 30 frames, from the middle). When the ffmpeg
      program is installed, the same forward frames decoded by
      `ffmpeg -benchmark` to nothing (and converted to BGRA) on the same
      machine, and the ratios of the two; otherwise it says ffmpeg is absent.
      Then the same forward frames decoded at the sizes the cab shows them,
      800x450 and 1920x1080, each scaled in one step with the cab's filter,
      against `ffmpeg -benchmark` scaling with the same filter into BGRA.

Any command takes --lang ja|en: the language of the texts the cab composes
in traces, event logs and reports (default ja, so that runs compare alike).

Exit status: 0 success, 1 wrong usage, 2 a data error (its message on stderr),
3 a soak breach.
)";

// The frame count and picture size the desktop program's decoder finds.
std::optional<tovra::VideoShape> measureVideo(const std::filesystem::path& file) {
    tovra::VideoDecoder decoder;
    tovra::Image first;
    if (!decoder.open(file) || !decoder.decode(0, first)) return std::nullopt;
    return tovra::VideoShape{decoder.frameCount(), first.width, first.height};
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    try {
        // Traces and event logs are compared between runs: Japanese unless asked.
        const auto language = tovra::takeLanguageOption(args);
        if (language && !tovra::useLanguage(*language)) {
            std::cerr << "tovra-sim: the English texts are missing from "
                      << tovra::translationsFolder() << '\n';
            return 1;
        }
    } catch (const std::invalid_argument& error) {
        std::cerr << "tovra-sim: " << error.what() << '\n';
        return 1;
    }
    if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        std::fputs(kUsage, args.empty() ? stderr : stdout);
        return args.empty() ? 1 : 0;
    }
    if (args[0] == "--version") {
        std::cout << "tovra-sim " TOVRA_VERSION "\n";
        return 0;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "--bench") return tovra::sim::simBenchmarks(rest);
    try {
        if (args[0] == "check") return tovra::sim::checkCommand(rest, measureVideo);
        if (args[0] == "run")
            return tovra::sim::runCommand(rest, tovra::makeOpenAlSoundDevice, measureVideo,
                                          tovra::sim::startSimRemote);
        if (args[0] == "tables") return tovra::sim::tablesCommand(rest, measureVideo);
        if (args[0] == "bench") return tovra::sim::benchCommand(rest);
        if (args[0] == "soak") return tovra::sim::soakCommand(rest);
        if (args[0] == "bench-video") return tovra::sim::benchVideoCommand(rest);
        throw std::invalid_argument("unknown command '" + args[0] + "'");
    } catch (const tovra::DataError& error) {
        std::cerr << error.what() << '\n';
        if (!error.detail().empty()) std::cerr << "  " << error.detail() << '\n';
        return 2;
    } catch (const std::invalid_argument& error) {
        std::cerr << "tovra-sim: " << error.what() << "\nTry 'tovra-sim --help'.\n";
        return 1;
    }
}
