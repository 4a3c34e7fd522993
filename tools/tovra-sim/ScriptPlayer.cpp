#include "ScriptPlayer.h"

#include <algorithm>

#include "cab/KeyInput.h"
#include "cab/PadInput.h"
#include "cab/SerialInput.h"
#include "common/TextCodec.h"
#include "headless/HeadlessRun.h"
#include "input/VirtualKey.h"
#include "run/MoveToStation.h"
#include "run/SaveSlots.h"

namespace tovra::sim {

namespace {

void playMenu(const std::vector<std::string>& a, HeadlessRun& run) {
    Cab& cab = run.cab;
    if (a[0] == "start") {
        cab.start1Click();
    } else if (a[0] == "save") {
        saveRunState(cab, cab.settingsStore(), cab.routeFile(), std::stoi(a[1]));
    } else if (a[0] == "restore") {
        restoreRunState(cab, cab.settingsStore(), cab.routeFile(), std::stoi(a[1]));
    } else if (a[0] == "move") {
        const auto items = moveMenuItems(cab.route);
        const auto station = std::int32_t(std::stol(a[1]));
        // Only what the menu offers can be chosen.
        if (std::any_of(items.begin(), items.end(),
                        [&](const MoveMenuItem& item) { return item.station == station; }))
            moveToStation(cab, station);
        else
            run.host.showMessage("move: station " + a[1] + " is not in the Move menu");
    } else if (a[0] == "controller") {
        cab.external.controllerType = PadType(std::stoi(a[1]));
    }
}

}  // namespace

void play(const ScriptCommand& c, HeadlessRun& run) {
    Cab& cab = run.cab;
    const auto& a = c.args;
    if (c.command == "char") {
        AsciiDown(cab, a[0] == "space" ? ' ' : a[0][0]);
    } else if (c.command == "key") {
        ScriptKeys(run).keyDown(*virtualKeyNamed(a[0]), a.size() == 2);
    } else if (c.command == "keyup") {
        ScriptKeys(run).keyUp(*virtualKeyNamed(a[0]));
    } else if (c.command == "hold") {
        if (a[1] == "on")
            ScriptKeys(run).characterDown(a[0][0]);
        else
            ScriptKeys(run).characterUp(a[0][0]);
    } else if (c.command == "wheel") {
        if (a[0] == "down")
            WheelD(cab);
        else
            WheelU(cab);
    } else if (c.command == "serial") {
        // The words of the message, sent as the controller does: ended by a
        // carriage return.
        std::string text;
        for (const std::string& word : a) text += (text.empty() ? "" : " ") + word;
        RxChar(cab, utf8ToCp932(text) + "\r");
    } else if (c.command == "pad") {
        USBScan(cab, {std::int32_t(std::stol(a[0])), std::int32_t(std::stol(a[1])),
                      std::uint16_t(std::stol(a[2]))});
    } else if (c.command == "menu") {
        playMenu(a, run);
    }
}

void ScriptKeys::characterDown(char c) {
    if (c == '3') run_.host.held.insert(HeldKey::Horn3);
    if (c == '4') run_.host.held.insert(HeldKey::Horn4);
    AsciiDown(run_.cab, c);
}

void ScriptKeys::characterUp(char c) {
    if (c == '3') run_.host.held.erase(HeldKey::Horn3);
    if (c == '4') run_.host.held.erase(HeldKey::Horn4);
}

void ScriptKeys::keyDown(VirtualKey key, bool shift) {
    keydowns(run_.cab, key, shift);
}

void ScriptKeys::keyUp(VirtualKey key) {
    keyups(run_.cab, key);
}

void deliverPosted(HeadlessRun& run) {
    while (!run.host.posted.empty()) {
        const char c = run.host.posted.front();
        run.host.posted.pop_front();
        AsciiDown(run.cab, c);
    }
}

}  // namespace tovra::sim
