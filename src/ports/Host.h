#pragma once

#include <string>

namespace tovra {

// Keys whose held state the cab asks for while they are down.
enum class HeldKey { Horn3, Horn4, Shift };

// What the cab asks of the window system around it.
class Host {
  public:
    virtual ~Host() = default;
    virtual void showMessage(const std::string& text) = 0;
    // Progress text of the loading sequence, shown in the title window's status line.
    virtual void setProgressText(const std::string& text) = 0;
    virtual void setCaption(const std::string& text) = 0;
    virtual void setPhysicsTimerRunning(bool running) = 0;
    virtual void setLogicTimerRunning(bool running) = 0;
    // Queues a character for the cab's character handler, as a typed key.
    virtual void postCharacter(char c) = 0;
    virtual bool isKeyHeld(HeldKey key) const = 0;
    // F3: the value display shows when hidden and hides when shown.
    virtual void toggleValueDisplay() = 0;
    // Shift+Up / Shift+Down: the cab's drawing surface moves up (negative)
    // or down by `pixels`, as far as its range allows.
    virtual void moveCabSurface(int pixels) = 0;
};

}  // namespace tovra
