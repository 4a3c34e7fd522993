#include "app/EasyCab.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "cab/Cab.h"
#include "ports/Host.h"

namespace tovra {

namespace {

constexpr int kDesignedWidth = 241;
constexpr int kDesignedHeight = 376;
constexpr unsigned kWhite = 0xFFFFFF;
constexpr unsigned kGreen = 0x00FF00;
constexpr unsigned kYellow = 0xFFFF00;
constexpr unsigned kRed = 0xFF0000;

// Called every logic tick: a style sheet is parsed and applied only when the
// colour changes.
void paint(QFrame* lamp, unsigned rgb) {
    if (!lamp->styleSheet().isEmpty() && lamp->property("rgb").toUInt() == rgb) return;
    lamp->setStyleSheet(
        QString("background-color: #%1; border: 1px solid gray;").arg(rgb, 6, 16, QChar('0')));
    lamp->setProperty("rgb", rgb);
}

QFrame* makeLamp(const QString& name, QWidget* parent) {
    auto* lamp = new QFrame(parent);
    lamp->setObjectName(name);
    lamp->setFixedSize(60, 14);
    paint(lamp, kWhite);
    return lamp;
}

}  // namespace

NotchLamps notchLamps(int powerHandle, int brakeHandle) {
    NotchLamps lamps;
    lamps.neutral = powerHandle == 0 && brakeHandle == 0 ? kGreen : kWhite;
    for (int k = 1; k <= 5; ++k)
        lamps.power[std::size_t(k - 1)] = powerHandle >= k ? kYellow : kWhite;
    for (int k = 1; k <= 8; ++k)
        lamps.brake[std::size_t(k - 1)] = brakeHandle <= -k ? kRed : kWhite;
    return lamps;
}

char reverserCharacter(int reverser) {
    if (reverser == 1) return 'b';
    if (reverser == -1) return 'f';
    return 0;
}

TForm6::TForm6(KeyForward forward, QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("かんたん運転台"));
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(6, 6, 6, 0);
    layout->setVerticalSpacing(2);
    int row = 0;
    layout->addWidget(new QLabel(tr("ブレーキ"), this), row++, 0);
    for (int k = 8; k >= 1; --k) {
        brake_[std::size_t(k - 1)] = makeLamp(QString("KB%1").arg(k), this);
        layout->addWidget(brake_[std::size_t(k - 1)], row++, 0);
    }
    neutral_ = makeLamp("KN", this);
    layout->addWidget(new QLabel(tr("惰行"), this), row, 1);
    layout->addWidget(neutral_, row++, 0);
    for (int k = 1; k <= 5; ++k) {
        power_[std::size_t(k - 1)] = makeLamp(QString("KP%1").arg(k), this);
        layout->addWidget(power_[std::size_t(k - 1)], row++, 0);
    }
    layout->addWidget(new QLabel(tr("加速"), this), row++, 0);

    const auto button = [&](const char* name, const char* text, int r, char c) {
        auto* b = new QPushButton(tr(text), this);
        b->setObjectName(name);
        b->setFocusPolicy(Qt::NoFocus);
        layout->addWidget(b, r, 2);
        if (c) connect(b, &QPushButton::clicked, this, [this, c] { post(c); });
        return b;
    };
    layout->addWidget(new QLabel("↑", this), 1, 2, Qt::AlignCenter);
    button("Button1", QT_TR_NOOP("減速"), 2, '2');
    button("Button6", QT_TR_NOOP("ニュートラル"), 4, '5');
    layout->addWidget(new QLabel(tr("（ニュートラル）"), this), 5, 2, Qt::AlignCenter);
    button("Button2", QT_TR_NOOP("加速"), 6, '8');
    layout->addWidget(new QLabel("↓", this), 7, 2, Qt::AlignCenter);
    button("Button3", QT_TR_NOOP("ドア開閉"), 9, '7');
    button("Button4", QT_TR_NOOP("案内放送"), 10, '1');
    button("Button5", QT_TR_NOOP("巻戻し"), 11, '-');
    auto* reverser = button("Button7", QT_TR_NOOP("逆転器"), 12, 0);
    connect(reverser, &QPushButton::clicked, this, [this] {
        if (cab_)
            if (const char c = reverserCharacter(cab_->state.Reverser)) post(c);
    });
    status_ = new QStatusBar(this);
    status_->setSizeGripEnabled(false);
    layout->addWidget(status_, row, 0, 1, 3);
    new KeyForwarder(this, std::move(forward));
    // A fixed dialog: its designed size, or more when the font needs it.
    setFixedSize(sizeHint().expandedTo(QSize(kDesignedWidth, kDesignedHeight)));
}

void TForm6::post(char c) {
    if (cab_) cab_->host.postCharacter(c);
}

void TForm6::refresh() {
    if (!cab_) return;
    const NotchLamps lamps = notchLamps(cab_->state.PowerHandle, cab_->state.BrakeHandle);
    paint(neutral_, lamps.neutral);
    for (std::size_t i = 0; i < power_.size(); ++i) paint(power_[i], lamps.power[i]);
    for (std::size_t i = 0; i < brake_.size(); ++i) paint(brake_[i], lamps.brake[i]);
    status_->showMessage(QString::fromStdString(cab_->statusTexts.easyCabDoorLine));
}

QString TForm6::doorText() const {
    return status_->currentMessage();
}

QFrame* TForm6::lamp(const QString& name) const {
    return findChild<QFrame*>(name);
}

}  // namespace tovra
