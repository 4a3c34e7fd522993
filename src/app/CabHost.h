#pragma once

#include <functional>
#include <set>
#include <string>

#include "ports/Host.h"

namespace tovra {

// The cab's window system: each request goes to a function the cab window
// connects; the held keys are the ones its key events marked down.
class CabHost : public Host {
  public:
    std::function<void(const std::string&)> onMessage;
    std::function<void(const std::string&)> onProgress;
    std::function<void(const std::string&)> onCaption;
    std::function<void(bool)> onPhysicsTimer;
    std::function<void(bool)> onLogicTimer;
    std::function<void(char)> onPostCharacter;
    std::function<void()> onToggleValueDisplay;
    std::function<void(int)> onMoveCabSurface;

    void showMessage(const std::string& text) override { call(onMessage, text); }
    void setProgressText(const std::string& text) override { call(onProgress, text); }
    void setCaption(const std::string& text) override { call(onCaption, text); }
    void setPhysicsTimerRunning(bool running) override { call(onPhysicsTimer, running); }
    void setLogicTimerRunning(bool running) override { call(onLogicTimer, running); }
    void postCharacter(char c) override { call(onPostCharacter, c); }
    bool isKeyHeld(HeldKey key) const override { return held.count(key) > 0; }
    void toggleValueDisplay() override {
        if (onToggleValueDisplay) onToggleValueDisplay();
    }
    void moveCabSurface(int pixels) override { call(onMoveCabSurface, pixels); }

    std::set<HeldKey> held;

  private:
    template <typename F, typename A>
    static void call(const F& f, const A& a) {
        if (f) f(a);
    }
};

}  // namespace tovra
