#pragma once

#include "Script.h"
#include "remote/CommandKeys.h"

namespace tovra {
struct HeadlessRun;
}

namespace tovra::sim {

// Plays one input of a script as the desktop program's windows would pass it on.
void play(const ScriptCommand& c, HeadlessRun& run);

// The keyboard of the headless run, as the script's "char", "hold", "key"
// and "keyup" lines and the remote interface's commands press it: "3" and
// "4" stay held (for the horn and the buzzer) until let go, as in the cab
// window.
class ScriptKeys : public remote::KeyPath {
  public:
    explicit ScriptKeys(HeadlessRun& run) : run_(run) {}
    void characterDown(char c) override;
    void characterUp(char c) override;
    void keyDown(VirtualKey key, bool shift) override;
    void keyUp(VirtualKey key) override;

  private:
    HeadlessRun& run_;
};

// Characters posted by the cab (the wheel) reach its character handler as
// the window system would deliver them.
void deliverPosted(HeadlessRun& run);

}  // namespace tovra::sim
