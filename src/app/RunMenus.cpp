#include "app/RunMenus.h"

#include <QActionGroup>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QMenu>
#include <QMenuBar>
#include <array>

#include "app/ControllerMapDialog.h"
#include "app/ControllerTypeNames.h"
#include "app/MessageBox.h"
#include "cab/Cab.h"
#include "cab/PadInput.h"
#include "cab/SerialInput.h"
#include "run/MoveToStation.h"
#include "run/SaveSlots.h"

namespace tovra {

namespace {

constexpr std::array<int, 6> kBaudRates = {1200, 2400, 4800, 9600, 19200, 38400};

}  // namespace

RunMenus::RunMenus(Cab& cab, SettingsStore& store, QWidget* window, remote::KeyPath& keys)
    : cab_(cab),
      store_(store),
      window_(window),
      serial_([this](std::string_view chunk) { RxChar(cab_, chunk); }, [this] { COMClosed(cab_); }),
      mapped_(cab, keys, controllerMappingFile()) {
    serialSettings_.portName = SerialPort::defaultPortName();
    cab_.setGamePad(&joystick_);
    if (!mapped_.loadError().empty())
        showMessageBox(window_, QString::fromStdString(mapped_.loadError()));
}

RunMenus::~RunMenus() {
    cab_.setGamePad(nullptr);
}

QMenu* RunMenus::buildMove(QMenuBar* bar, const QString& caption) {
    move_ = bar->addMenu(caption);
    move_->setObjectName("GoTo1");
    for (const MoveMenuItem& item : moveMenuItems(cab_.route)) {
        QAction* action = move_->addAction(QString::fromStdString(item.caption));
        action->setObjectName(QString::fromStdString(item.name));
        const std::int32_t station = item.station;
        connect(action, &QAction::triggered, this,
                [this, station] { moveToStation(cab_, station); });
    }
    return move_;
}

QMenu* RunMenus::buildController(QMenuBar* bar, const QString& caption) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName("Controller1");
    auto* types = new QActionGroup(menu);
    for (std::size_t i = 0; i < kControllerTypeNames.size(); ++i) {
        QAction* a = menu->addAction(tr(kControllerTypeNames[i]));
        a->setObjectName("COM" + QString::number(i + 1) + "1");  // COM11 .. COM41
        a->setCheckable(true);
        a->setChecked(cab_.external.controllerType == PadType(i));
        types->addAction(a);
        connect(a, &QAction::triggered, this,
                [this, i] { cab_.external.controllerType = PadType(i); });
    }
    menu->addSeparator();
    connect(menu->addAction(tr("VMマスコン（設定）(&P)")), &QAction::triggered, this,
            &RunMenus::editSerialSettings);
    connect(menu->addAction(tr("VMマスコン（接続）(&C)")), &QAction::triggered, this,
            &RunMenus::toggleSerialConnection);
    QAction* mapping = menu->addAction(tr("コントローラの割り当て…"));
    mapping->setObjectName("ControllerMap1");
    connect(mapping, &QAction::triggered, this, [this] {
        ControllerMapDialog dialog(mapped_, window_);
        dialog.exec();
    });
    QAction* debug = menu->addAction(tr("デバッグオプション(&D)"));
    debug->setCheckable(true);
    connect(debug, &QAction::triggered, this, [this] { debug1Click(cab_); });
    return menu;
}

QMenu* RunMenus::buildSave(QMenuBar* bar, const QString& caption) {
    QMenu* menu = bar->addMenu(caption);
    menu->setObjectName("SaveS1");
    saveTo_ = menu->addMenu(tr("運転状態を保存(&S)"));
    restore_ = menu->addMenu(tr("運転状態を復元(&L)"));
    for (int slot = 1; slot <= kSaveSlotCount; ++slot) {
        connect(saveTo_->addAction(QString("Save%1").arg(slot)), &QAction::triggered, this,
                [this, slot] { saveRunState(cab_, store_, cab_.routeFile(), slot); });
        connect(restore_->addAction(QString("Save%1").arg(slot)), &QAction::triggered, this,
                [this, slot] { restoreRunState(cab_, store_, cab_.routeFile(), slot); });
    }
    connect(menu, &QMenu::aboutToShow, this, &RunMenus::refreshSaveMenu);
    refreshSaveMenu();
    return menu;
}

void RunMenus::refreshSaveMenu() {
    const SaveMenu captions = saveMenu(store_);
    for (int i = 0; i < kSaveSlotCount; ++i) {
        const auto slot = std::size_t(i);
        QAction* save = saveTo_->actions().at(i);
        save->setText(QString::fromStdString(captions.save[slot].caption));
        save->setEnabled(captions.save[slot].enabled);
        QAction* restore = restore_->actions().at(i);
        restore->setText(QString::fromStdString(captions.restore[slot].caption));
        restore->setEnabled(captions.restore[slot].enabled);
    }
}

void RunMenus::setPauseAction(QAction* start) {
    mapped_.togglePause = [start] { start->trigger(); };
}

void RunMenus::afterLogicTick() {
    if (move_) move_->setEnabled(cab_.state.VideoMode[0] == 0);
    mapped_.poll();
}

void RunMenus::close() {
    mapped_.stop();
    if (serial_.isOpen()) serial_.close();
}

// The port and its speed; the rest keeps the master controller's settings.
void RunMenus::editSerialSettings() {
    QDialog dialog(window_);
    dialog.setWindowTitle(tr("VMマスコン（設定）"));
    auto* form = new QFormLayout(&dialog);
    auto* port = new QComboBox(&dialog);
    port->setEditable(true);
    for (const std::string& name : SerialPort::availablePorts())
        port->addItem(QString::fromStdString(name));
    port->setCurrentText(QString::fromStdString(serialSettings_.portName));
    auto* baud = new QComboBox(&dialog);
    for (const int rate : kBaudRates) baud->addItem(QString::number(rate), rate);
    baud->setCurrentText(QString::number(serialSettings_.baudRate));
    form->addRow("Port", port);
    form->addRow("Baud rate", baud);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    if (dialog.exec() != QDialog::Accepted) return;
    serialSettings_.portName = port->currentText().toStdString();
    serialSettings_.baudRate = baud->currentData().toInt();
}

void RunMenus::toggleSerialConnection() {
    if (serial_.isOpen()) {
        serial_.close();
        COMClosed(cab_);
        return;
    }
    if (const auto error = serial_.open(serialSettings_)) {
        showMessageBox(window_, tr("VMマスコン: %1").arg(QString::fromStdString(*error)));
        return;
    }
    COMOpened(cab_);
}

}  // namespace tovra
