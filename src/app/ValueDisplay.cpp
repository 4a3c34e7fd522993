#include "app/ValueDisplay.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <cmath>

#include "data/RouteLoader.h"
#include "ports/SoundDevice.h"
#include "sim/Cab.h"

namespace tovra {

namespace {

constexpr int kGridSide = 10;

// Caption beside each value label, in the order they are laid out.
const std::vector<std::pair<const char*, const char*>> kValues = {
    {"速度", "Label1"},
    {"BC圧(M車)", "Label2"},
    {"BC圧(T車)", "Label11"},
    {"SAP ", "Label3"},
    {"ER ", "Label4"},
    {"BP", "Label71"},
    {"MR ", "Label5"},
    {"電制", "Label69"},
    {"加速度", "Label6"},
    {"車両", "Label7"},
    {"抵抗", "Label25"},
    {"勾配", "Label27"},
    {"電流", "Label50"},
    {"エンジン回転数", "Label40"},
    {"ギア", "Label52"},
    {"ノッチ状態", "Label44"},
    {"摩擦", "Label65"},
    {"Frame", "Label30"},
    {"Frame_sub", "Label46"},
    {"描画", "Label48"},
    {"Movie", "Label54"},
    {"FPS", "Label63"},
    {"次駅", "Label37"},
    {"残距離", "Label33"},
    {"走行距離", "Label35"},
    {"先行列車", "Label23"},
    {"ATSP 距離/制限速度/パターン", "Label8"},
    {"", "Label9"},
    {"", "Label20"},
    {"Limit 距離/制限速度/パターン", "Label60"},
    {"", "Label61"},
    {"Check 距離/制限速度/パターン", "Label19"},
    {"", "Label41"},
    {"signal_now", "Label21"},
    {"標識ID", "Label56"},
    {"Sound", "Label57"},
};

QString num(Extended v, int decimals = 0) {
    return QString::number(double(v), 'f', decimals);
}

}  // namespace

TForm3::TForm3(Cab& cab, std::filesystem::path routeFile, std::string vehicleFile,
               KeyForward forward, QWidget* parent)
    : QDialog(parent),
      cab_(cab),
      routeFile_(std::move(routeFile)),
      vehicleFile_(std::move(vehicleFile)) {
    setWindowTitle("Value Display");
    resize(723, 380);
    QFont font("Meiryo UI");
    font.setPointSize(9);
    setFont(font);
    auto* layout = new QGridLayout(this);
    const int rows = int(kValues.size() + 1) / 2;
    for (std::size_t i = 0; i < kValues.size(); ++i) {
        const int row = int(i) % rows;
        const int column = int(i) / rows * 2;
        layout->addWidget(new QLabel(kValues[i].first, this), row, column);
        auto* value = new QLabel(this);
        value->setObjectName(kValues[i].second);
        value->setMinimumWidth(90);
        layout->addWidget(value, row, column + 1);
        values_[kValues[i].second] = value;
    }
    channels_ = new QTableWidget(kGridSide, kGridSide, this);
    channels_->setObjectName("StringGrid1");
    channels_->horizontalHeader()->hide();
    channels_->verticalHeader()->hide();
    channels_->horizontalHeader()->setDefaultSectionSize(40);
    channels_->setMinimumWidth(kGridSide * 40 + 4);
    channels_->verticalHeader()->setDefaultSectionSize(18);
    channels_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout->addWidget(channels_, 0, 4, rows, 1);
    connect(channels_, &QTableWidget::cellClicked, this,
            [this](int row, int column) { cab_.sound.stop(kGridSide * row + column); });

    auto* buttons = new QHBoxLayout;
    auto* reload = new QPushButton("SU再読込", this);
    reload->setObjectName("Button1");
    frame_ = new QLineEdit(this);
    frame_->setObjectName("Edit1");
    auto* jump = new QPushButton("jump", this);
    jump->setObjectName("Button2");
    resistOff_ = new QPushButton("抵抗解除", this);
    resistOff_->setObjectName("Button3");
    for (QWidget* w : std::initializer_list<QWidget*>{reload, frame_, jump, resistOff_})
        buttons->addWidget(w);
    layout->addLayout(buttons, rows, 0, 1, 5);
    log_ = new QPlainTextEdit(this);
    log_->setObjectName("Memo1");
    log_->setReadOnly(true);
    log_->setMaximumHeight(80);
    layout->addWidget(log_, rows + 1, 0, 1, 5);
    connect(reload, &QPushButton::clicked, this, &TForm3::Button1Click);
    connect(jump, &QPushButton::clicked, this, &TForm3::Button2Click);
    connect(resistOff_, &QPushButton::clicked, this, &TForm3::Button3Click);
    new KeyForwarder(this, std::move(forward));
}

void TForm3::set(const char* label, const QString& text) {
    if (auto it = values_.find(label); it != values_.end()) it->second->setText(text);
}

QString TForm3::value(const QString& label) const {
    auto it = values_.find(label);
    return it == values_.end() ? QString() : it->second->text();
}

void TForm3::refresh(int fps) {
    const TrainState& s = cab_.state;
    const VehicleSpec& v = cab_.vehicle;
    const ProtectionState& p = cab_.protection;
    set("Label1", num(s.Speed, 1) + " km/h");
    set("Label2", num(Extended(s.BcPressM)) + "k");
    set("Label11", num(Extended(s.BcPressT)) + "k");
    set("Label3", num(Extended(s.SapPress), 4) + " kPa");
    set("Label4", num(Extended(s.ErPress), 4) + " kPa");
    set("Label71", num(s.BpPress, 4) + " kPa");
    set("Label5", num(Extended(s.MrPress), 4) + " kPa");
    set("Label69", num(s.ElecBrakeCurrent) + "A");
    const Extended mass = Extended(v.Tons) * 1000;
    const Extended accel =
        mass != 0 ? (Extended(s.TractiveForce) + Extended(s.ResistForce)) / mass * 3.6L : 0;
    set("Label6", num(accel, 1) + " km/h/s");
    set("Label7", num(Extended(s.TractiveForce)) + " N");
    set("Label25", num(Extended(s.ResistForce)) + " N");
    set("Label27", num(Extended(s.Gradient), 1) + " Permil");
    set("Label50", QString::number(s.MotorCurrent) + " A");
    set("Label40", num(std::round(s.EngineRpm)));
    set("Label52", QString("Gn %1 Gp %2").arg(cab_.diesel.GearActual).arg(cab_.diesel.GearLever));
    set("Label44", QString("P %1 %2 %3 B %4 %5 %6 %7 %8")
                       .arg(cab_.traction.PowerStep)
                       .arg(s.PowerHandle)
                       .arg(s.PowerNotch)
                       .arg(cab_.traction.ElecBrakeStep)
                       .arg(s.BrakeHandle)
                       .arg(s.BrakeNotch)
                       .arg(s.SapNotch)
                       .arg(s.ElecBrakeNotch));
    set("Label65", num(Extended(s.Adhesion), 2) + " " + num(Extended(s.AdhesionLimit)) + "N");
    set("Label30", QString::number(s.Frame));
    set("Label46", QString::number(s.SubFrame));
    set("Label48", QString::number(cab_.video.ShownFrame));
    set("Label54", QString::number(s.VideoMode[0]));
    set("Label63", QString::number(fps));
    set("Label37",
        num(cab_.NextStopPosition / 100) + " m " + QString::number(cab_.stations.currentStation));
    set("Label33", num(s.RemainDistance) + " cm");
    set("Label35", num(s.Position / 100) + " m");
    set("Label23", QString::number(p.PreTrainFrame));
    set("Label8", num(std::round((p.PatternPos - s.Position) / 100)));
    set("Label9", QString::number(p.PatternSpeed));
    set("Label20", QString("%1/%2").arg(p.PatternBrake).arg(p.PatternWarn));
    const auto distance = [](const ApproachEntry& e) {
        return e.distance == kNoLimit ? QString::number(kNoLimit)
                                      : num(std::round(Extended(e.distance) / 100));
    };
    set("Label60", distance(p.nextLimits[0]));
    set("Label61", QString::number(p.nextLimits[0].limit));
    set("Label19", distance(p.nextCheck));
    set("Label41", QString::number(p.nextCheck.limit));
    set("Label21", QString("Signal now:%1 lim_now:%2").arg(p.signalInView).arg(p.SignalLimit));
    set("Label56", QString::number(cab_.statusTexts.shownSign));
    set("Label57", QString("Sound D:%1 L:%2 M:%3 K:1")
                       .arg(cab_.channels.driveCount)
                       .arg(cab_.channels.routeCount)
                       .arg(cab_.channels.motorCount));
    resistOff_->setStyleSheet(cab_.motion.ResistOff ? "font-weight: bold;" : "");
    refreshChannels();
    for (std::uint64_t n = logShown_ + 1; n <= p.log.lastSequence(); ++n)
        if (const auto* line = p.log.find(n))
            log_->appendPlainText(
                QString::fromUtf8(line->text().data(), qsizetype(line->text().size())));
    logShown_ = p.log.lastSequence();
}

void TForm3::refreshChannels() {
    for (int row = 0; row < kGridSide; ++row) {
        for (int column = 0; column < kGridSide; ++column) {
            const int channel = kGridSide * row + column;
            auto* cell = new QTableWidgetItem;
            if (cab_.sound.isPlaying(channel)) {
                cell->setBackground(QColor(0, 255, 255));
                cell->setText(QString::number(cab_.sound.volume(channel)));
            }
            channels_->setItem(row, column, cell);
        }
    }
}

void TForm3::Button1Click() {
    try {
        RouteSpec reread = loadRouteSpec(routeFile_, vehicleFile_);
        computeEndDistances(reread.SpeedUnits);
        cab_.route.SpeedUnits = std::move(reread.SpeedUnits);
    } catch (...) {
        // The testing button ignores every error of the file.
    }
}

void TForm3::Button2Click() {
    bool ok = false;
    const int frame = frame_->text().toInt(&ok);
    if (ok) cab_.state.Frame = frame;
}

void TForm3::Button3Click() {
    cab_.motion.ResistOff = !cab_.motion.ResistOff;
    resistOff_->setStyleSheet(cab_.motion.ResistOff ? "font-weight: bold;" : "");
}

}  // namespace tovra
