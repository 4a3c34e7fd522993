#pragma once

#include <QDialog>
#include <QTimer>
#include <optional>
#include <string>

#include "input/ExternalControllerState.h"
#include "input/MappedPads.h"
#include "input/MappingLearner.h"
#include "input/PadMappingFile.h"

class QComboBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QVBoxLayout;

namespace tovra {

class MappedControllers;
class NotchBar;

// The Controller menu's "コントローラの割り当て…": maps the axes, buttons and
// hats of any attached device by doing what each step asks, with the live
// axis on bars whose notch marks can be dragged. The saved mappings of
// devices not plugged in are listed too, to edit all but what is learnt by
// doing, or to delete. Saved with OK.
class ControllerMapDialog : public QDialog {
    Q_OBJECT

  public:
    ControllerMapDialog(MappedControllers& controllers, QWidget* parent = nullptr);
    ~ControllerMapDialog() override;

    // The steps of learning a handle: each begins with the player's "次へ".
    void learnHandle(AxisRole role);
    void next();
    // Learning the button or hat direction for a key command.
    void learnKey(PadKey key);
    // One look at the devices; the dialog's timer calls it.
    void refresh();
    // The shown device's whole mapping goes.
    void forgetDevice();
    // The shown device's buttons and axes laid out as a fixed type reads them.
    void applyPreset(PadType type);
    const DeviceMappings& edited() const { return edited_; }
    // OK: the mappings are saved and apply at once.
    void accept() override;

  private:
    enum class Step { None, Rest, End, BrakeEnd, Key };

    // The GUID of the device shown; "" when none is.
    std::string guid() const;
    // The device shown if it is plugged in.
    const AttachedDevice* device() const;
    DeviceMapping& deviceMapping();
    AxisMapping* shownAxis();
    void storeAxis(const AxisMapping& axis);
    void respaceNotches();
    void refreshDevices();
    void refreshAxes();
    void showAxis();
    void refreshKeys();
    void addPresetRow(QVBoxLayout* layout);
    void say(const QString& text);
    void sayNotPlugged();

    MappedControllers& controllers_;
    DeviceMappings edited_;
    MappingLearner learner_;
    Step step_ = Step::None;
    AxisRole role_ = AxisRole::Power;
    PadKey key_ = PadKey::Horn;
    DeviceReading rest_;
    std::optional<MovedAxis> powerEnd_;
    QTimer timer_;

    QComboBox* device_;
    QLabel* instruction_;
    QPushButton* next_;
    QComboBox* axis_;
    QSpinBox* powerSteps_;
    QSpinBox* brakeSteps_;
    QSpinBox* deadZone_;
    NotchBar* powerBar_;
    NotchBar* brakeBar_;
    QTableWidget* keys_;
};

}  // namespace tovra
