#pragma once

#include <QObject>
#include <memory>

#include "app/MappedControllers.h"
#include "platform/SdlJoystick.h"
#include "platform/SerialPort.h"

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace tovra {

class Cab;
class SettingsStore;

// The cab window's "Move", "Controller(&C)" and "Save(&S)" menus: moving
// the train to a station, the serial master controller and the game
// controller, saving and restoring the driving state. Owns the serial port
// and the game controllers of the window.
class RunMenus : public QObject {
    Q_OBJECT
  public:
    // `keys` is the keyboard's path, which the mapped controllers' buttons take.
    RunMenus(Cab& cab, SettingsStore& store, QWidget* window, remote::KeyPath& keys);
    ~RunMenus() override;

    QMenu* buildMove(QMenuBar* bar, const QString& caption);
    QMenu* buildController(QMenuBar* bar, const QString& caption);
    QMenu* buildSave(QMenuBar* bar, const QString& caption);

    // The menu's start and pause command, which a mapped pause button gives.
    void setPauseAction(QAction* start);
    // After every logic tick: "Move" only while the route video plays; the
    // mapped controllers are read.
    void afterLogicTick();
    // The window closes: the serial port is let go.
    void close();

  private:
    void refreshSaveMenu();
    void editSerialSettings();
    void toggleSerialConnection();

    Cab& cab_;
    SettingsStore& store_;
    QWidget* window_;
    SerialPort serial_;
    SerialSettings serialSettings_;
    SdlJoystick joystick_;
    MappedControllers mapped_;
    QMenu* move_ = nullptr;
    QMenu* saveTo_ = nullptr;
    QMenu* restore_ = nullptr;
};

}  // namespace tovra
