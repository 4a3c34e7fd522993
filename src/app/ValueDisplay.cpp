#include "app/ValueDisplay.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/MessageBox.h"
#include "cab/Cab.h"
#include "common/DataError.h"
#include "data/RouteLoader.h"
#include "ports/SoundDevice.h"

namespace tovra {

namespace {

constexpr const char* kCaption = "Value Display";
constexpr int kDesignedWidth = 723;
constexpr int kDesignedHeight = 380;
constexpr int kGridSide = 10;
constexpr int kGroups = 2;
constexpr int kSignalsShown = 5;
constexpr int kPressureBarTop = 800;  // kPa
constexpr int kCurrentBarTop = 1000;  // A

// Caption beside each value, in the order they are laid out; a name that
// begins with "Bar_" is a bar.
const std::vector<std::pair<const char*, const char*>> kValues = {
    {QT_TRANSLATE_NOOP("tovra::TForm3", "速度"), "Label1"},
    {QT_TRANSLATE_NOOP("tovra::TForm3", "BC圧(M車)"), "Label2"},
    {"", "Bar_Press0"},
    {QT_TRANSLATE_NOOP("tovra::TForm3", "BC圧(T車)"), "Label11"},
    {"", "Bar_Press1"},
    {"SAP ", "Label3"},
    {"ER ", "Label4"},
    {"BP", "Label71"},
    {"MR ", "Label5"},
    {QT_TRANSLATE_NOOP("tovra::TForm3", "電制"), "Label69"},
    {"", "Bar_Press6"},
    {QT_TRANSLATE_NOOP("tovra::TForm3", "加速度"), "Label6"},
    {QT_TRANSLATE_NOOP("tovra::TForm3", "車両"), "Label7"},
    {QT_TRANSLATE_NOOP("tovra::TForm3", "抵抗"), "Label25"},
    {QT_TRANSLATE_NOOP("tovra::TForm3", "勾配"), "Label27"},
    {QT_TRANSLATE_NOOP("tovra::TForm3", "電流"), "Label50"},
    {QT_TRANSLATE_NOOP("tovra::TForm3", "エンジン回転数"), "Label40"},
    {QT_TRANSLATE_NOOP("tovra::TForm3", "ギア"), "Label52"},
    {QT_TRANSLATE_NOOP("tovra::TForm3", "ノッチ状態"), "Label44"},
    {QT_TRANSLATE_NOOP("tovra::TForm3", "摩擦"), "Label65"},
    {"Frame", "Label30"},
    {"Projected", "Label31"},
    {"Frame_sub", "Label46"},
    {QT_TRANSLATE_NOOP("tovra::TForm3", "描画"), "Label48"},
    {"Movie", "Label54"},
    {"FPS", "Label63"},
    {QT_TRANSLATE_NOOP("tovra::TForm3", "次駅"), "Label37"},
    {QT_TRANSLATE_NOOP("tovra::TForm3", "残距離"), "Label33"},
    {QT_TRANSLATE_NOOP("tovra::TForm3", "走行距離"), "Label35"},
    {QT_TRANSLATE_NOOP("tovra::TForm3", "先行列車"), "Label23"},
    {"", "Label42"},
    {QT_TRANSLATE_NOOP("tovra::TForm3", "ATSP 距離/制限速度/パターン"), "Label8"},
    {"", "Label9"},
    {"", "Label20"},
    {QT_TRANSLATE_NOOP("tovra::TForm3", "Limit 距離/制限速度/パターン"), "Label60"},
    {"", "Label61"},
    {QT_TRANSLATE_NOOP("tovra::TForm3", "Check 距離/制限速度/パターン"), "Label19"},
    {"", "Label41"},
    {"signal_now", "Label21"},
    {"", "signal1"},
    {"", "signal2"},
    {"", "signal3"},
    {"", "signal4"},
    {"", "signal5"},
    {QT_TRANSLATE_NOOP("tovra::TForm3", "標識ID"), "Label56"},
    {"Sound", "Label57"},
};

QString num(Extended v, int decimals = 0) {
    return QString::number(double(v), 'f', decimals);
}

// A value as plain as it is held: no trailing zeros.
QString plain(Currency v) {
    QString text = QString::number(double(Extended(v)), 'f', 4);
    while (text.endsWith('0')) text.chop(1);
    if (text.endsWith('.')) text.chop(1);
    return text == "-0" ? "0" : text;
}
QString plain(Extended v) {
    return QString::number(double(v), 'g', 15);
}

const std::string& nameOf(const RouteSpec& route, std::size_t station) {
    static const std::string none;
    return station < route.Stations.size() ? route.Stations[station].name : none;
}

// The stations between which the preceding train runs: the one at or behind
// its frame and the next.
QString preTrainStretch(const RouteSpec& route, std::int32_t frame) {
    std::size_t behind = route.Stations.size();
    for (std::size_t i = 0; i < route.Stations.size(); ++i)
        if (route.Stations[i].videoFrame <= frame) behind = i;
    const std::size_t next = behind < route.Stations.size() ? behind + 1 : 0;
    return "(" + QString::fromStdString(nameOf(route, behind)) + "～" +
           QString::fromStdString(nameOf(route, next)) + ")";
}

// The signal whose block the train is in: the last one at or behind its frame.
std::int32_t signalOfBlock(const RouteSpec& route, std::int32_t frame) {
    std::int32_t index = -1;
    for (std::size_t i = 0; i < route.Signals.size(); ++i)
        if (route.Signals[i].signalFrame <= frame) index = std::int32_t(i);
    return index;
}

}  // namespace

TForm3::TForm3(KeyForward forward, QWidget* parent) : QDialog(parent) {
    setWindowTitle(kCaption);
    QFont font("Meiryo UI");
    font.setPointSize(9);
    setFont(font);
    // The values on one page, the sound channels on another: both fit a
    // small screen at the window's font.
    auto* column = new QVBoxLayout(this);
    auto* pages = new QTabWidget(this);
    column->addWidget(pages);
    auto* valuesPage = new QWidget(pages);
    auto* layout = new QGridLayout(valuesPage);
    layout->setVerticalSpacing(1);
    pages->addTab(valuesPage, "Values");
    const int rows = (int(kValues.size()) + kGroups - 1) / kGroups;
    for (std::size_t i = 0; i < kValues.size(); ++i) {
        const int row = int(i) % rows;
        const int group = int(i) / rows * 2;
        const QString name = kValues[i].second;
        if (*kValues[i].first)
            layout->addWidget(new QLabel(tr(kValues[i].first), valuesPage), row, group);
        if (name.startsWith("Bar_")) {
            auto* bar = new QProgressBar(valuesPage);
            bar->setObjectName(name);
            bar->setRange(0, name == "Bar_Press6" ? kCurrentBarTop : kPressureBarTop);
            bar->setTextVisible(false);
            layout->addWidget(bar, row, group + 1);
            bars_[name] = bar;
            continue;
        }
        auto* value = new QLabel(valuesPage);
        value->setObjectName(name);
        value->setMinimumWidth(QFontMetrics(font).horizontalAdvance("0000000 km/h/s"));
        layout->addWidget(value, row, group + 1);
        values_[name] = value;
    }
    channels_ = new QTableWidget(kGridSide, kGridSide, pages);
    channels_->setObjectName("StringGrid1");
    channels_->horizontalHeader()->hide();
    channels_->verticalHeader()->hide();
    const int cellWidth = QFontMetrics(font).horizontalAdvance("-10000") + 6;
    const int cellHeight = QFontMetrics(font).height() + 4;
    channels_->horizontalHeader()->setDefaultSectionSize(cellWidth);
    channels_->verticalHeader()->setDefaultSectionSize(cellHeight);
    channels_->setMinimumSize(kGridSide * cellWidth + 4, kGridSide * cellHeight + 4);
    channels_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    pages->addTab(channels_, "Sound");
    connect(channels_, &QTableWidget::cellClicked, this, [this](int row, int column) {
        if (cab_) cab_->sound.stop(kGridSide * row + column);
    });

    auto* buttons = new QHBoxLayout;
    auto* reload = new QPushButton(tr("SU再読込"), this);
    reload->setObjectName("Button1");
    frame_ = new QLineEdit(this);
    frame_->setObjectName("Edit1");
    auto* jump = new QPushButton("jump", this);
    jump->setObjectName("Button2");
    resistOff_ = new QPushButton(tr("抵抗解除"), this);
    resistOff_->setObjectName("Button3");
    for (QWidget* w : std::initializer_list<QWidget*>{reload, frame_, jump, resistOff_})
        buttons->addWidget(w);
    column->addLayout(buttons);
    log_ = new QPlainTextEdit(this);
    log_->setObjectName("Memo1");
    log_->setReadOnly(true);
    log_->setMaximumHeight(
        std::max(log_->minimumSizeHint().height(), QFontMetrics(font).height() * 5));
    column->addWidget(log_);
    connect(reload, &QPushButton::clicked, this, &TForm3::Button1Click);
    connect(jump, &QPushButton::clicked, this, &TForm3::Button2Click);
    connect(resistOff_, &QPushButton::clicked, this, &TForm3::Button3Click);
    new KeyForwarder(this, std::move(forward));
    // Everything readable at the font in use, and never below the designed size.
    resize(sizeHint().expandedTo(QSize(kDesignedWidth, kDesignedHeight)));
}

void TForm3::attach(Cab* cab) {
    cab_ = cab;
    logShown_ = 0;
}

void TForm3::set(const QString& label, const QString& text) {
    if (auto it = values_.find(label); it != values_.end()) it->second->setText(text);
}

QString TForm3::value(const QString& label) const {
    auto it = values_.find(label);
    return it == values_.end() ? QString() : it->second->text();
}

int TForm3::bar(const QString& name) const {
    auto it = bars_.find(name);
    return it == bars_.end() ? -1 : it->second->value();
}

void TForm3::logicTick(int fps) {
    if (!cab_) return;
    const std::string& serial = cab_->external.serialCaption;
    setWindowTitle(serial.empty() ? QString(kCaption) : QString::fromStdString(serial));
    if (isVisible()) refresh(fps);
}

void TForm3::refresh(int fps) {
    if (!cab_) return;
    const Cab& cab = *cab_;
    const TrainState& s = cab.state;
    const VehicleSpec& v = cab.vehicle;
    const ProtectionState& p = cab.protection;
    const auto setBar = [this](const char* name, Extended value) {
        QProgressBar* bar = bars_.at(name);
        bar->setValue(std::clamp(int(std::lround(double(value))), bar->minimum(), bar->maximum()));
    };
    set("Label1", num(s.Speed, 1) + " km/h");
    set("Label2", num(Extended(s.BcPressM)) + "k");
    setBar("Bar_Press0", s.BcPressM);
    set("Label11", num(Extended(s.BcPressT)) + "k");
    setBar("Bar_Press1", s.BcPressT);
    set("Label3", plain(s.SapPress) + " kPa");
    set("Label4", plain(s.ErPress) + " kPa");
    set("Label71", plain(s.BpPress) + " kPa");
    set("Label5", plain(s.MrPress) + " kPa");
    set("Label69", plain(s.ElecBrakeCurrent) + "A");
    setBar("Bar_Press6", s.ElecBrakeCurrent);
    const Extended mass = Extended(v.Tons) * 1000;
    const Extended accel =
        mass != 0 ? (Extended(s.TractiveForce) + Extended(s.ResistForce)) / mass * 3.6L : 0;
    set("Label6", num(accel, 1) + " km/h/s");
    set("Label7", plain(s.TractiveForce) + " N");
    set("Label25", plain(s.ResistForce) + " N");
    set("Label27", plain(s.Gradient) + " Permil");
    set("Label50", QString::number(s.MotorCurrent) + " A");
    set("Label40", num(std::round(s.EngineRpm)));
    set("Label52", QString("Gn %1 Gp %2").arg(cab.diesel.GearActual).arg(cab.diesel.GearLever));
    set("Label44", QString("P %1 %2 %3 B %4 %5 %6 %7 %8")
                       .arg(cab.traction.PowerStep)
                       .arg(s.PowerHandle)
                       .arg(s.PowerNotch)
                       .arg(cab.traction.ElecBrakeStep)
                       .arg(s.BrakeHandle)
                       .arg(s.BrakeNotch)
                       .arg(s.SapNotch)
                       .arg(s.ElecBrakeNotch));
    set("Label65", QCoreApplication::translate("TrainMotion", cab.motion.SlipText.c_str()) + " " +
                       num(Extended(s.Adhesion), 2) + " " +
                       num(std::round(Extended(s.AdhesionLimit))) + "N");
    set("Label30", QString::number(s.Frame));
    set("Label31", QString::number(cab.film.FilmSpeed) + " km/h");
    set("Label46", QString::number(s.SubFrame));
    set("Label48", QString::number(cab.video.ShownFrame));
    set("Label54", QString::number(s.VideoMode[0]));
    set("Label63", QString::number(fps));
    set("Label37",
        num(cab.NextStopPosition / 100) + " m " + QString::number(cab.stations.currentStation));
    set("Label33", num(s.RemainDistance) + " cm");
    set("Label35", num(s.Position / 100) + " m");
    set("Label23", QString::number(p.PreTrainFrame));
    set("Label42", preTrainStretch(cab.route, p.PreTrainFrame));
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
    const std::int32_t block = signalOfBlock(cab.route, s.Frame);
    set("Label21", QString("Signal now:%1 now2:%2 lim_now:%3")
                       .arg(block)
                       .arg(p.signalInView)
                       .arg(p.SignalLimit));
    // The signals ahead: each one's frame and aspect.
    for (int k = 1; k <= kSignalsShown; ++k) {
        const std::size_t index = std::size_t(block + k);
        const QString name = QString("signal%1").arg(k);
        if (index >= cab.route.Signals.size()) {
            set(name, QString());
            continue;
        }
        const SignalRecord& signal = cab.route.Signals[index];
        set(name, QString("%1 %2").arg(signal.signalFrame).arg(signal.aspect));
    }
    set("Label56", QString::number(cab.statusTexts.shownSign));
    set("Label57", QString("Sound D:%1 L:%2 M:%3 K:1")
                       .arg(cab.channels.driveCount)
                       .arg(cab.channels.routeCount)
                       .arg(cab.channels.motorCount));
    resistOff_->setStyleSheet(cab.motion.ResistOff ? "font-weight: bold;" : "");
    refreshChannels();
    for (std::uint64_t n = logShown_ + 1; n <= p.log.lastSequence(); ++n)
        if (const auto* line = p.log.find(n))
            log_->appendPlainText(QString::fromStdString(line->text()));
    logShown_ = p.log.lastSequence();
}

void TForm3::refreshChannels() {
    for (int row = 0; row < kGridSide; ++row) {
        for (int column = 0; column < kGridSide; ++column) {
            const int channel = kGridSide * row + column;
            auto* cell = new QTableWidgetItem;
            if (cab_->sound.isPlaying(channel)) {
                cell->setBackground(QColor(0, 255, 255));
                cell->setText(QString::number(cab_->sound.volume(channel)));
            }
            channels_->setItem(row, column, cell);
        }
    }
}

void TForm3::Button1Click() {
    if (!cab_) return;
    try {
        cab_->route.SpeedUnits = loadSpeedUnits(cab_->dataDir() / cab_->routeFile());
    } catch (const DataError& error) {
        showMessageBox(
            this, tr("[SpeedUnit]を読み直せませんでした。\n") + QString::fromUtf8(error.what()));
    }
}

void TForm3::Button2Click() {
    bool ok = false;
    const int frame = frame_->text().toInt(&ok);
    if (ok && cab_) cab_->state.Frame = frame;
}

void TForm3::Button3Click() {
    if (!cab_) return;
    cab_->motion.ResistOff = !cab_->motion.ResistOff;
    resistOff_->setStyleSheet(cab_->motion.ResistOff ? "font-weight: bold;" : "");
}

}  // namespace tovra
