#pragma once

#include <deque>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "ports/Host.h"

namespace tovra {

// The window system of the headless driver: records what the cab shows and
// keeps the timer switches for the virtual scheduler.
class HeadlessHost : public Host {
  public:
    void showMessage(const std::string& text) override {
        messages.push_back(text);
        if (messageListener_) messageListener_(text);
    }
    void setMessageListener(std::function<void(const std::string&)> listener) {
        messageListener_ = std::move(listener);
    }
    void setProgressText(const std::string& text) override { progress.push_back(text); }
    void setCaption(const std::string& text) override { caption = text; }
    void setPhysicsTimerRunning(bool running) override { physicsRunning = running; }
    void setLogicTimerRunning(bool running) override { logicRunning = running; }
    void postCharacter(char c) override { posted.push_back(c); }
    bool isKeyHeld(HeldKey key) const override { return held.count(key) > 0; }
    void toggleValueDisplay() override { valueDisplayShown = !valueDisplayShown; }
    void moveCabSurface(int pixels) override { surfaceMoves.push_back(pixels); }

    std::vector<std::string> messages;
    std::vector<std::string> progress;
    std::string caption;
    bool physicsRunning = false;
    bool logicRunning = false;
    std::deque<char> posted;
    std::set<HeldKey> held;
    bool valueDisplayShown = false;
    std::vector<int> surfaceMoves;

  private:
    std::function<void(const std::string&)> messageListener_;
};

}  // namespace tovra
