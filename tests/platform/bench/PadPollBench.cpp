// tovra_pad_bench [POLLS]: the time one poll of the mapped game controllers
// takes (SDL's update, the plugging check, reading every device and turning
// the readings into commands), with 0, 1 and 4 virtual devices attached whose
// levers and buttons change on every poll. The logic tick polls once per
// 100 ms.
#include <SDL.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "input/MappedPads.h"
#include "platform/SdlDevices.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kAxes = 6;
constexpr int kButtons = 16;
constexpr int kHats = 1;

tovra::DeviceMapping mapping() {
    tovra::AxisMapping lever;
    lever.axis = 1;
    lever.role = tovra::AxisRole::Combined;
    lever.rest = 0;
    lever.powerEnd = -32768;
    lever.brakeEnd = 32767;
    lever.powerNotches = tovra::evenNotches(5, lever.deadZone);
    lever.brakeNotches = tovra::evenNotches(9, lever.deadZone);
    tovra::DeviceMapping m{"bench", {lever}, {}};
    for (int b = 0; b < kButtons; ++b) m.controls.push_back({{false, b, 0}, tovra::PadKey::Horn});
    m.controls.push_back({{true, 0, tovra::HatUp}, tovra::PadKey::ReverserForward});
    return m;
}

}  // namespace

int main(int argc, char** argv) {
    const int polls = argc > 1 ? std::atoi(argv[1]) : 20000;
    tovra::SdlDevices devices;
    for (const int count : {0, 1, 4}) {
        std::vector<int> indices;
        std::vector<SDL_Joystick*> pads;
        for (int i = 0; i < count; ++i) {
            indices.push_back(SDL_JoystickAttachVirtual(SDL_JOYSTICK_TYPE_GAMECONTROLLER, kAxes,
                                                        kButtons, kHats));
            pads.push_back(SDL_JoystickOpen(indices.back()));
        }
        devices.poll();
        std::map<std::string, tovra::DeviceMapping> byGuid;
        for (const tovra::AttachedDevice& d : devices.attached()) byGuid[d.guid] = mapping();
        tovra::MappedPads mapped(byGuid);
        std::size_t events = 0;
        const auto start = Clock::now();
        for (int n = 0; n < polls; ++n) {
            for (SDL_Joystick* pad : pads) {
                SDL_JoystickSetVirtualAxis(pad, 1, std::int16_t((n * 977) % 65536 - 32768));
                SDL_JoystickSetVirtualButton(pad, n % kButtons, std::uint8_t(n / kButtons % 2));
            }
            const tovra::MappedPadEvents e = mapped.poll(devices.poll());
            events += e.keys.size() + (e.steps.power ? 1 : 0) + (e.steps.brake ? 1 : 0);
        }
        const double us =
            std::chrono::duration<double, std::micro>(Clock::now() - start).count() / polls;
        std::printf("%d device(s): %.2f us per poll (%zu commands over %d polls)\n", count, us,
                    events, polls);
        for (SDL_Joystick* pad : pads) SDL_JoystickClose(pad);
        for (std::size_t i = indices.size(); i-- > 0;) SDL_JoystickDetachVirtual(indices[i]);
        devices.poll();
    }
    return 0;
}
