#include "app/ControllerMapDialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string_view>

#include "app/ControllerTypeNames.h"
#include "app/MappedControllers.h"
#include "app/MessageBox.h"
#include "app/NotchBar.h"
#include "common/UiText.h"
#include "input/PadPresets.h"

namespace tovra {

namespace {

constexpr int kRefreshMs = 30;
constexpr int kMaxSteps = 31;
constexpr int kDefaultPowerSteps = 5;
constexpr int kDefaultBrakeSteps = 9;  // eight service positions and emergency
constexpr int kDefaultDeadZonePercent = 5;
// The other end of a combined handle must lie as far from the centre as a
// learnt lever must move.
constexpr std::int64_t kLeastTravel = 65536 / 4;

QString roleCaption(AxisRole role) {
    switch (role) {
        case AxisRole::Power:
            return tovra::ControllerMapDialog::tr("力行");
        case AxisRole::Brake:
            return tovra::ControllerMapDialog::tr("ブレーキ");
        case AxisRole::Combined:
            return tovra::ControllerMapDialog::tr("ワンハンドル");
    }
    return {};
}

QString controlCaption(const PadControl& c) {
    if (!c.hat) return tovra::ControllerMapDialog::tr("ボタン %1").arg(c.index);
    const QString way = c.direction == HatUp      ? tovra::ControllerMapDialog::tr("上")
                        : c.direction == HatRight ? tovra::ControllerMapDialog::tr("右")
                        : c.direction == HatDown  ? tovra::ControllerMapDialog::tr("下")
                                                  : tovra::ControllerMapDialog::tr("左");
    return tovra::ControllerMapDialog::tr("ハット %1 %2").arg(c.index).arg(way);
}

QString keyCaption(PadKey key) {
    return QString::fromStdString(uiText("PadMapping", padKeyInfo(key).caption));
}

QString typeName(PadType type) {
    return QCoreApplication::translate("tovra::RunMenus", kControllerTypeNames[std::size_t(type)]);
}

bool unmapped(const DeviceMapping& m) {
    return m.axes.empty() && m.controls.empty();
}

QSpinBox* spinBox(QWidget* parent, int low, int high, int value) {
    auto* box = new QSpinBox(parent);
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

}  // namespace

ControllerMapDialog::ControllerMapDialog(MappedControllers& controllers, QWidget* parent)
    : QDialog(parent), controllers_(controllers), edited_(controllers.mappings()) {
    setWindowTitle(tr("コントローラの割り当て"));
    controllers_.setSuspended(true);
    auto* layout = new QVBoxLayout(this);
    device_ = new QComboBox(this);
    device_->setObjectName("device");
    layout->addWidget(device_);
    addPresetRow(layout);

    auto* learn = new QHBoxLayout;
    for (const AxisRole role : {AxisRole::Power, AxisRole::Brake, AxisRole::Combined}) {
        auto* button = new QPushButton(tr("%1を覚える").arg(roleCaption(role)), this);
        connect(button, &QPushButton::clicked, this, [this, role] { learnHandle(role); });
        learn->addWidget(button);
    }
    layout->addLayout(learn);
    auto* stepRow = new QHBoxLayout;
    instruction_ = new QLabel(this);
    instruction_->setObjectName("instruction");
    instruction_->setWordWrap(true);
    next_ = new QPushButton(tr("次へ"), this);
    next_->setEnabled(false);
    connect(next_, &QPushButton::clicked, this, &ControllerMapDialog::next);
    stepRow->addWidget(instruction_, 1);
    stepRow->addWidget(next_);
    layout->addLayout(stepRow);

    auto* grid = new QGridLayout;
    axis_ = new QComboBox(this);
    auto* forget = new QPushButton(tr("軸の割り当てを外す"), this);
    grid->addWidget(new QLabel(tr("軸"), this), 0, 0);
    grid->addWidget(axis_, 0, 1, 1, 3);
    grid->addWidget(forget, 0, 4);
    powerSteps_ = spinBox(this, 1, kMaxSteps, kDefaultPowerSteps);
    brakeSteps_ = spinBox(this, 1, kMaxSteps, kDefaultBrakeSteps);
    deadZone_ = spinBox(this, 0, 50, kDefaultDeadZonePercent);
    deadZone_->setSuffix(" %");
    deadZone_->setObjectName("deadZone");
    brakeSteps_->setObjectName("brakeSteps");
    auto* even = new QPushButton(tr("均等に配置"), this);
    grid->addWidget(new QLabel(tr("力行段数"), this), 1, 0);
    grid->addWidget(powerSteps_, 1, 1);
    grid->addWidget(new QLabel(tr("ブレーキ段数"), this), 1, 2);
    grid->addWidget(brakeSteps_, 1, 3);
    grid->addWidget(new QLabel(tr("不感帯"), this), 2, 0);
    grid->addWidget(deadZone_, 2, 1);
    grid->addWidget(even, 2, 4);
    powerBar_ = new NotchBar(this);
    brakeBar_ = new NotchBar(this);
    grid->addWidget(new QLabel(tr("力行"), this), 3, 0);
    grid->addWidget(powerBar_, 3, 1, 1, 4);
    grid->addWidget(new QLabel(tr("ブレーキ"), this), 4, 0);
    grid->addWidget(brakeBar_, 4, 1, 1, 4);
    layout->addLayout(grid);

    keys_ = new QTableWidget(int(padKeys().size()), 2, this);
    keys_->setHorizontalHeaderLabels({tr("操作"), tr("ボタン")});
    keys_->setObjectName("keys");
    keys_->horizontalHeader()->setStretchLastSection(true);
    keys_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    keys_->verticalHeader()->hide();
    keys_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    keys_->setSelectionBehavior(QAbstractItemView::SelectRows);
    keys_->setSelectionMode(QAbstractItemView::SingleSelection);
    keys_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    for (std::size_t i = 0; i < padKeys().size(); ++i)
        keys_->setItem(int(i), 0, new QTableWidgetItem(keyCaption(padKeys()[i].key)));
    layout->addWidget(keys_);
    auto* keyRow = new QHBoxLayout;
    auto* assign = new QPushButton(tr("ボタンを割り当て"), this);
    auto* clear = new QPushButton(tr("外す"), this);
    auto* forgetDevice = new QPushButton(tr("この機器の割り当てをすべて削除"), this);
    keyRow->addWidget(assign);
    keyRow->addWidget(clear);
    keyRow->addStretch();
    keyRow->addWidget(forgetDevice);
    layout->addLayout(keyRow);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &ControllerMapDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(device_, &QComboBox::currentIndexChanged, this, [this] {
        step_ = Step::None;
        next_->setEnabled(false);
        refreshAxes();
        refreshKeys();
    });
    connect(axis_, &QComboBox::currentIndexChanged, this, &ControllerMapDialog::showAxis);
    connect(forget, &QPushButton::clicked, this, [this] {
        if (!shownAxis()) return;
        auto& axes = deviceMapping().axes;
        axes.erase(axes.begin() + axis_->currentIndex());
        refreshAxes();
    });
    for (QSpinBox* box : {powerSteps_, brakeSteps_, deadZone_})
        connect(box, &QSpinBox::valueChanged, this, &ControllerMapDialog::respaceNotches);
    connect(even, &QPushButton::clicked, this, &ControllerMapDialog::respaceNotches);
    powerBar_->notchesChanged = [this](const std::vector<double>& n) {
        if (AxisMapping* a = shownAxis()) a->powerNotches = n;
    };
    brakeBar_->notchesChanged = [this](const std::vector<double>& n) {
        if (AxisMapping* a = shownAxis()) a->brakeNotches = n;
    };
    connect(assign, &QPushButton::clicked, this, [this] {
        const int row = keys_->currentRow();
        if (row >= 0) learnKey(padKeys()[std::size_t(row)].key);
    });
    connect(clear, &QPushButton::clicked, this, [this] {
        const int row = keys_->currentRow();
        if (row < 0 || guid().empty()) return;
        auto& controls = deviceMapping().controls;
        std::erase_if(controls, [&](const ControlMapping& c) {
            return c.key == padKeys()[std::size_t(row)].key;
        });
        refreshKeys();
    });

    connect(forgetDevice, &QPushButton::clicked, this, &ControllerMapDialog::forgetDevice);

    refreshDevices();
    connect(&timer_, &QTimer::timeout, this, &ControllerMapDialog::refresh);
    timer_.start(kRefreshMs);
}

void ControllerMapDialog::addPresetRow(QVBoxLayout* layout) {
    auto* row = new QHBoxLayout;
    auto* types = new QComboBox(this);
    for (const PadType type : {PadType::TwoLever, PadType::PsAdapter, PadType::OneHandle})
        types->addItem(typeName(type), int(type));
    auto* use = new QPushButton(tr("この配置で埋める"), this);
    connect(use, &QPushButton::clicked, this,
            [this, types] { applyPreset(PadType(types->currentData().toInt())); });
    row->addWidget(new QLabel(tr("ひな形"), this));
    row->addWidget(types, 1);
    row->addWidget(use);
    layout->addLayout(row);
    auto* note = new QLabel(
        tr("ボタンと軸を固定の種類の配置で埋めます。固定の種類そのものは「コントローラ」メニューで"
           "選びます"),
        this);
    note->setWordWrap(true);
    layout->addWidget(note);
}

ControllerMapDialog::~ControllerMapDialog() {
    controllers_.setSuspended(false);
}

std::string ControllerMapDialog::guid() const {
    return device_->currentData().toString().toStdString();
}

const AttachedDevice* ControllerMapDialog::device() const {
    const std::string shown = guid();
    for (const AttachedDevice& d : controllers_.devices().attached()) {
        if (d.guid == shown) return &d;
    }
    return nullptr;
}

DeviceMapping& ControllerMapDialog::deviceMapping() {
    DeviceMapping& mapping = edited_[guid()];
    if (const AttachedDevice* d = device()) mapping.name = d->name;
    return mapping;
}

AxisMapping* ControllerMapDialog::shownAxis() {
    const int index = axis_->currentIndex();
    if (guid().empty() || index < 0) return nullptr;
    auto& axes = deviceMapping().axes;
    return std::size_t(index) < axes.size() ? &axes[std::size_t(index)] : nullptr;
}

void ControllerMapDialog::say(const QString& text) {
    instruction_->setText(text);
}

void ControllerMapDialog::sayNotPlugged() {
    say(guid().empty() ? tr("コントローラが接続されていません")
                       : tr("覚えるにはこの機器を接続してください"));
}

void ControllerMapDialog::learnHandle(AxisRole role) {
    if (!device()) return sayNotPlugged();
    role_ = role;
    step_ = Step::Rest;
    next_->setEnabled(true);
    switch (role) {
        case AxisRole::Power:
            return say(tr("力行レバーを切（0）の位置にして「次へ」を押してください"));
        case AxisRole::Brake:
            return say(tr("ブレーキレバーを緩めの位置にして「次へ」を押してください"));
        case AxisRole::Combined:
            return say(tr("ハンドルを中立（切）にして「次へ」を押してください"));
    }
}

void ControllerMapDialog::next() {
    const AttachedDevice* d = device();
    if (!d) return;
    const DeviceReading& now = d->reading;
    switch (step_) {
        case Step::Rest:
            rest_ = now;
            learner_.begin(now);
            step_ = Step::End;
            return say(role_ == AxisRole::Brake
                           ? tr("ブレーキレバーを非常の端まで動かして「次へ」を押してください")
                           : tr("レバーを力行の最大の端まで動かして「次へ」を押してください"));
        case Step::End: {
            const auto moved = learner_.movedAxis();
            if (!moved) return say(tr("動いた軸が見つかりません。レバーを端まで動かしてください"));
            if (role_ == AxisRole::Combined) {
                powerEnd_ = moved;
                step_ = Step::BrakeEnd;
                return say(tr("ハンドルを非常ブレーキの端まで動かして「次へ」を押してください"));
            }
            const bool power = role_ == AxisRole::Power;
            storeAxis(leverMapping(role_, moved->axis, moved->start,
                                   power ? moved->furthest : moved->start,
                                   power ? moved->start : moved->furthest, powerSteps_->value(),
                                   brakeSteps_->value(), deadZone_->value() / 100.0));
            break;
        }
        case Step::BrakeEnd: {
            const auto axis = std::size_t(powerEnd_->axis);
            if (axis >= now.axes.size()) return;
            const std::int64_t brake = std::int64_t(now.axes[axis]) - powerEnd_->start;
            const std::int64_t power = std::int64_t(powerEnd_->furthest) - powerEnd_->start;
            if (std::llabs(brake) < kLeastTravel || (brake > 0) == (power > 0))
                return say(
                    tr("ブレーキ側の端が見つかりません。ハンドルを非常の端まで動かしてください"));
            storeAxis(leverMapping(AxisRole::Combined, powerEnd_->axis, powerEnd_->start,
                                   powerEnd_->furthest, now.axes[axis], powerSteps_->value(),
                                   brakeSteps_->value(), deadZone_->value() / 100.0));
            break;
        }
        case Step::None:
        case Step::Key:
            return;
    }
    step_ = Step::None;
    next_->setEnabled(false);
    say(tr("割り当てました。目盛りはドラッグで動かせます"));
}

void ControllerMapDialog::learnKey(PadKey key) {
    const AttachedDevice* d = device();
    if (!d) return sayNotPlugged();
    key_ = key;
    step_ = Step::Key;
    next_->setEnabled(false);
    learner_.begin(d->reading);
    say(tr("「%1」に使うボタンを押してください").arg(keyCaption(key)));
}

void ControllerMapDialog::storeAxis(const AxisMapping& axis) {
    auto& axes = deviceMapping().axes;
    const auto same = std::find_if(axes.begin(), axes.end(),
                                   [&](const AxisMapping& a) { return a.axis == axis.axis; });
    const auto index = same - axes.begin();
    if (same == axes.end()) {
        axes.push_back(axis);
    } else {
        *same = axis;
    }
    refreshAxes();
    axis_->setCurrentIndex(int(index));
}

void ControllerMapDialog::respaceNotches() {
    AxisMapping* a = shownAxis();
    if (!a) return;
    a->deadZone = deadZone_->value() / 100.0;
    if (a->role != AxisRole::Brake)
        a->powerNotches = evenNotches(powerSteps_->value(), a->deadZone);
    if (a->role != AxisRole::Power)
        a->brakeNotches = evenNotches(brakeSteps_->value(), a->deadZone);
    powerBar_->setNotches(a->powerNotches);
    brakeBar_->setNotches(a->brakeNotches);
}

void ControllerMapDialog::refresh() {
    const auto before = controllers_.devices().attached().size();
    controllers_.devices().poll();
    if (controllers_.devices().attached().size() != before) refreshDevices();
    const AttachedDevice* d = device();
    if (d && (step_ == Step::End || step_ == Step::Key)) learner_.watch(d->reading);
    if (d && step_ == Step::Key && learner_.pressedControl()) {
        const PadControl control = *learner_.pressedControl();
        auto& controls = deviceMapping().controls;
        std::erase_if(controls, [&](const ControlMapping& c) { return c.control == control; });
        controls.push_back({control, key_});
        step_ = Step::None;
        say(tr("%1 を割り当てました").arg(controlCaption(control)));
        refreshKeys();
    }
    const AxisMapping* a = shownAxis();
    if (!d || !a || std::size_t(a->axis) >= d->reading.axes.size()) {
        powerBar_->setTravel(std::nullopt);
        brakeBar_->setTravel(std::nullopt);
        return;
    }
    const std::int32_t value = d->reading.axes[std::size_t(a->axis)];
    powerBar_->setTravel(a->role == AxisRole::Brake
                             ? std::nullopt
                             : std::optional(axisTravel(a->rest, a->powerEnd, value)));
    brakeBar_->setTravel(a->role == AxisRole::Power
                             ? std::nullopt
                             : std::optional(axisTravel(a->rest, a->brakeEnd, value)));
}

// The attached devices, then the saved mappings of those that are not.
void ControllerMapDialog::refreshDevices() {
    const QString current = device_->currentData().toString();
    device_->blockSignals(true);
    device_->clear();
    const auto& attached = controllers_.devices().attached();
    for (const AttachedDevice& d : attached)
        device_->addItem(QString::fromStdString(d.name + "  (" + d.guid + ")"),
                         QString::fromStdString(d.guid));
    for (const auto& [guid, mapping] : edited_) {
        const bool plugged = std::any_of(attached.begin(), attached.end(),
                                         [&](const AttachedDevice& d) { return d.guid == guid; });
        if (!plugged && !unmapped(mapping))
            device_->addItem(
                tr("%1  (%2)  未接続")
                    .arg(QString::fromStdString(mapping.name), QString::fromStdString(guid)),
                QString::fromStdString(guid));
    }
    device_->setCurrentIndex(std::max(0, device_->findData(current)));
    device_->blockSignals(false);
    if (attached.empty()) say(tr("コントローラが接続されていません"));
    refreshAxes();
    refreshKeys();
}

void ControllerMapDialog::refreshAxes() {
    axis_->blockSignals(true);
    axis_->clear();
    if (!guid().empty()) {
        for (const AxisMapping& a : deviceMapping().axes)
            axis_->addItem(tr("軸 %1: %2").arg(a.axis).arg(roleCaption(a.role)));
    }
    axis_->blockSignals(false);
    axis_->setCurrentIndex(axis_->count() - 1);
    showAxis();
}

void ControllerMapDialog::showAxis() {
    const AxisMapping* a = shownAxis();
    powerBar_->setNotches(a ? a->powerNotches : std::vector<double>{});
    brakeBar_->setNotches(a ? a->brakeNotches : std::vector<double>{});
    if (!a) return;
    // As saved, so that changing one of them respaces the steps it has.
    const auto show = [](QSpinBox* box, int value) {
        box->blockSignals(true);
        box->setValue(value);
        box->blockSignals(false);
    };
    show(deadZone_, int(std::lround(a->deadZone * 100)));
    if (a->role != AxisRole::Brake) show(powerSteps_, int(a->powerNotches.size()));
    if (a->role != AxisRole::Power) show(brakeSteps_, int(a->brakeNotches.size()));
}

void ControllerMapDialog::refreshKeys() {
    for (std::size_t row = 0; row < padKeys().size(); ++row) {
        QStringList controls;
        if (!guid().empty()) {
            for (const ControlMapping& c : deviceMapping().controls) {
                if (c.key == padKeys()[row].key) controls << controlCaption(c.control);
            }
        }
        keys_->setItem(int(row), 1, new QTableWidgetItem(controls.join(", ")));
    }
}

void ControllerMapDialog::applyPreset(PadType type) {
    if (guid().empty()) return say(tr("コントローラが接続されていません"));
    const DeviceMapping preset = presetMapping(type);
    DeviceMapping& mapping = deviceMapping();
    mapping.axes = preset.axes;
    mapping.controls = preset.controls;
    refreshAxes();
    refreshKeys();
    say(tr("%1 の配置で埋めました。").arg(typeName(type)) +
        (preset.axes.empty() ? tr("ハンドルは覚えさせてください")
                             : tr("レバーを動かして軸と目盛りを確かめてください")));
}

void ControllerMapDialog::forgetDevice() {
    if (guid().empty()) return;
    edited_.erase(guid());
    refreshDevices();
}

void ControllerMapDialog::accept() {
    std::erase_if(edited_, [](const auto& entry) { return unmapped(entry.second); });
    if (const auto error = controllers_.setMappings(edited_))
        showMessageBox(this, QString::fromStdString(*error));
    QDialog::accept();
}

}  // namespace tovra
